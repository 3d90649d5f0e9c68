#include "engine/SXError.h"

std::string SXError::Message() const {
    if (text == nullptr) {
        return {};
    }
    std::string message = text;
    if (rest != nullptr) {
        message += " '";
        message += rest;
        message += '\'';
    }
    return message;
}
