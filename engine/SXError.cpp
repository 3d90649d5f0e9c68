#include "engine/SXError.h"

const char* ErrorKindText(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::None:
        return "";
    case ErrorKind::InvalidToken:
        return "invalid tok";
    case ErrorKind::UnknownConst:
        return "unknown const";
    case ErrorKind::Dot:
        return "dot";
    case ErrorKind::BadSuffix:
        return "bad suffix";
    case ErrorKind::ExpectingDigit:
        return "expecting digit";
    case ErrorKind::InvalidHexa:
        return "invalid hexa";
    case ErrorKind::InvalidBin:
        return "invalid bin";
    case ErrorKind::Err:
        return "err";
    case ErrorKind::MissingClose:
        return "missing )";
    case ErrorKind::ExpectingOpen:
        return "expecting (";
    case ErrorKind::TooManyParams:
        return "too many params";
    case ErrorKind::MissingParam:
        return "missing param";
    case ErrorKind::ExprIncomplete:
        return "expr incomplete";
    case ErrorKind::DivByZero:
        return "div by 0";
    case ErrorKind::ExpectOne:
        return "fact expect 1 param";
    case ErrorKind::ExpectTwo:
        return "fact expect 2 params";
    case ErrorKind::Undefined:
        return "undefined";
    case ErrorKind::NestedTooDeep:
    case ErrorKind::RemainderBelowOne:
    case ErrorKind::OutOfMemory:
        return "internal err";
    }
    return "internal err";
}

std::string SXError::Message() const {
    if (!Failed()) {
        return {};
    }
    std::string message = ErrorKindText(detail.kind);
    if (rest != nullptr) {
        message += " '";
        message += rest;
        message += '\'';
    }
    return message;
}
