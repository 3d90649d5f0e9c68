// The engine's trigonometric functions on every build: special values, and correctly rounded
// results for arguments whose reduction by pi/2 is hard (the values come from MPFR at 3000
// bits). A build whose maths differ from the others fails here.
#include "engine/Maths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using Function = double (*)(double);

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
const double kSmallest = std::numeric_limits<double>::denorm_min();

struct Named {
    const char* name;
    Function f;
};
const Named kAll[] = {{"sin", maths::Sin}, {"cos", maths::Cos}, {"tan", maths::Tan},
                      {"cot", maths::Cot}, {"sec", maths::Sec}, {"csc", maths::Csc}};

TEST(MathsTrig, NaNAndInfinitiesGiveNaN) {
    for (const Named& f : kAll) {
        EXPECT_TRUE(std::isnan(f.f(kNaN))) << f.name;
        EXPECT_TRUE(std::isnan(f.f(kInf))) << f.name;
        EXPECT_TRUE(std::isnan(f.f(-kInf))) << f.name;
    }
}

TEST(MathsTrig, SignedZerosAndSubnormals) {
    EXPECT_TRUE(std::signbit(maths::Sin(-0.0)));
    EXPECT_FALSE(std::signbit(maths::Sin(0.0)));
    EXPECT_TRUE(std::signbit(maths::Tan(-0.0)));
    EXPECT_EQ(maths::Cos(-0.0), 1.0);
    EXPECT_EQ(maths::Sec(-0.0), 1.0);
    EXPECT_EQ(maths::Cot(0.0), kInf);
    EXPECT_EQ(maths::Cot(-0.0), -kInf);
    EXPECT_EQ(maths::Csc(-0.0), -kInf);

    EXPECT_EQ(maths::Sin(kSmallest), kSmallest);
    EXPECT_EQ(maths::Sin(-kSmallest), -kSmallest);
    EXPECT_EQ(maths::Tan(1e-310), 1e-310);
    EXPECT_EQ(maths::Cos(1e-310), 1.0);
    EXPECT_EQ(maths::Csc(1e-310), kInf); // 1e310 overflows
    EXPECT_EQ(maths::Cot(std::ldexp(1.0, -1000)), std::ldexp(1.0, 1000));
    EXPECT_EQ(maths::Sin(1e-8), 1e-8);
    EXPECT_EQ(maths::Cos(1e-8), 1.0);
}

TEST(MathsTrig, OddAndEven) {
    for (const double x : {0.3, 2.0, 1e5, 4468971748.930488, 1e300}) {
        EXPECT_EQ(maths::Sin(-x), -maths::Sin(x)) << x;
        EXPECT_EQ(maths::Cos(-x), maths::Cos(x)) << x;
        EXPECT_EQ(maths::Tan(-x), -maths::Tan(x)) << x;
        EXPECT_EQ(maths::Cot(-x), -maths::Cot(x)) << x;
        EXPECT_EQ(maths::Sec(-x), maths::Sec(x)) << x;
        EXPECT_EQ(maths::Csc(-x), -maths::Csc(x)) << x;
    }
}

struct Exact {
    double x;
    double sin, cos, tan, cot, sec, csc;
};

// Correctly rounded values. The second is the double closest to a multiple of pi/2.
const Exact kExact[] = {
    {1e22, -0.8522008497671888, 0.523214785395139, -1.6287782256068988, -0.6139571270529418,
     1.9112609733396322, -1.1734322962400099},
    {0x1.6ac5b262ca1ffp+849, 1.0, -4.687165924254628e-19, -2.133485385753704e+18,
     -4.687165924254628e-19, -2.133485385753704e+18, 1.0},
    {4468971748.930488, 0.6830812858606552, -0.73034235595846, -0.9352891562262168,
     -1.0691880616203058, -1.3692208754449913, 1.4639546137470885},
    {1.5341711378938592e+270, 0.43007426603225174, -0.9027935122146259, -0.47638165340515637,
     -2.09915724682519, -1.107673002154079, 2.3251798095843497},
    {3.141592653589793, 1.2246467991473532e-16, -1.0, -1.2246467991473532e-16, -8165619676597685.0,
     -1.0, 8165619676597685.0},
    {1.5707963267948966, 1.0, 6.123233995736766e-17, 1.633123935319537e+16, 6.123233995736766e-17,
     1.633123935319537e+16, 1.0},
    {1.7976931348623157e+308, 0.004961954789184062, -0.9999876894265599, -0.004962015874444895,
     -201.53099572900317, -1.000012310724992, 201.53347672166896},
    {1e+300, -0.8178819121159085, -0.5753861119575491, 1.4214488238747245, 0.7035075643976418,
     -1.737963394003118, -1.2226703943273929},
    {0.5, 0.479425538604203, 0.8775825618903728, 0.5463024898437905, 1.830487721712452,
     1.139493927324549, 2.085829642933488},
    // The closest to a multiple of pi/2 in their binades: a reduction that keeps too few bits
    // of 2/pi misses these by several ulps.
    {0x1.f19e5d71b26bap+85, -1.0, -1.5778413429231517e-17, 6.337772834291265e+16,
     1.5778413429231517e-17, -6.337772834291265e+16, -1.0},
    {0x1.f0585228f1561p+522, 1.0, -3.785568718036491e-17, -2.641611008764577e+16,
     -3.785568718036491e-17, -2.641611008764577e+16, 1.0},
    {0x1.db38a45a9cd4ep+980, -1.0, -1.8255457569975871e-16, 5477813942306578.0,
     1.8255457569975871e-16, -5477813942306578.0, -1.0},
};

TEST(MathsTrig, HardReductionsAreCorrectlyRounded) {
    for (const Exact& e : kExact) {
        EXPECT_EQ(maths::Sin(e.x), e.sin) << e.x;
        EXPECT_EQ(maths::Cos(e.x), e.cos) << e.x;
        EXPECT_EQ(maths::Tan(e.x), e.tan) << e.x;
        EXPECT_EQ(maths::Cot(e.x), e.cot) << e.x;
        EXPECT_EQ(maths::Sec(e.x), e.sec) << e.x;
        EXPECT_EQ(maths::Csc(e.x), e.csc) << e.x;
    }
}

} // namespace
