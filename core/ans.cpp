#include "core/ans.h"

#include <array>
#include <cmath>

#include "core/messages.h"
#include "core/numtext.h"
#include "core/single.h"

namespace velmora {
namespace {

// π as the program holds it: fifteen significant digits, not the full double.
constexpr double kPi = 3.14159265358979;
constexpr double k9Pi = 28.27433388230811;

// Ends a block: an input that does not convert, or a step that is invalid,
// divides by zero or overflows. Confined to this file.
struct StepFailed {};

double Pow(double x, double y) { return std::pow(x, y); }

// One run of a shape block: reads inputs into valN and stores results, each
// checked as it is stored. A double result that is NaN or infinite can only
// come from an invalid operation, a division by zero or an overflow, and no
// formula divides by a quotient, so such a fault always reaches the result of
// its step: checking each stored value catches exactly the faults that the
// floating-point exception flags would, without depending on how the compiler
// treats those flags.
class Block {
public:
    Block(const InputTexts& texts, char decimalSeparator, SectionValues& values)
        : texts_(texts), separator_(decimalSeparator), v_(values) {}

    double In(int slot) {
        const auto value = TextToSingle(texts_[static_cast<std::size_t>(slot - 1)], separator_);
        if (!value) throw StepFailed{};
        v_.val(slot) = *value;
        return *value;
    }

    // Stores the result rounded once to single precision; returns the stored value.
    double Store(float SectionValues::*field, double result) {
        if (!FitsSingle(result)) throw StepFailed{};
        v_.*field = static_cast<float>(result);
        return v_.*field;
    }

    // The shapes with a thin-wall line show their first line before they read
    // its inputs, so a failure after this point still shows the first line.
    void MarkFirstLineDone() { firstLineDone_ = true; }
    bool firstLineDone() const { return firstLineDone_; }

private:
    const InputTexts& texts_;
    char separator_;
    SectionValues& v_;
    bool firstLineDone_ = false;
};

// How a block that did not fail ends, after its first line.
struct BlockEnd {
    SecondLine secondLine = SecondLine::Untouched;
    AnsMessage message = AnsMessage::None;
};

constexpr BlockEnd kFirstLineOnly{};
constexpr BlockEnd kModulusOfTheBottomEdge{SecondLine::ZOnly};
constexpr BlockEnd kThinWallLine{SecondLine::Full};

using V = SectionValues;

BlockEnd Rectangle(Block& run, bool) {
    const double h = run.In(1), b = run.In(2);
    run.Store(&V::resA, b * h);
    run.Store(&V::resI, Pow(h, 3) * ((1.0 / 12) * b));
    run.Store(&V::resZ, Pow(h, 2) * ((1.0 / 6) * b));
    run.Store(&V::resK, Pow(h, 2) * (1.0 / 12));
    return kFirstLineOnly;
}

BlockEnd RectanglePair(Block& run, bool) {
    const double h1 = run.In(1), h2 = run.In(2), b = run.In(3);
    run.Store(&V::resA, (h2 - h1) * b);
    run.Store(&V::resI, (Pow(h2, 3) - Pow(h1, 3)) * ((1.0 / 12) * b));
    run.Store(&V::resZ, (((Pow(h2, 3) - Pow(h1, 3)) * b) / h2) * (1.0 / 6));
    run.Store(&V::resK, ((Pow(h2, 3) - Pow(h1, 3)) / (h2 - h1)) * (1.0 / 12));
    return kFirstLineOnly;
}

BlockEnd Square(Block& run, bool) {
    const double h = run.In(1);
    run.Store(&V::resA, Pow(h, 2));
    run.Store(&V::resI, Pow(h, 4) * (1.0 / 12));
    run.Store(&V::resZ, Pow(h, 3) * (1.0 / 6));
    run.Store(&V::resK, Pow(h, 2) * (1.0 / 12));
    return kFirstLineOnly;
}

BlockEnd HollowSquare(Block& run, bool) {
    const double h1 = run.In(1), h2 = run.In(2);
    run.Store(&V::resA, Pow(h2, 2) - Pow(h1, 2));
    run.Store(&V::resI, (Pow(h2, 4) - Pow(h1, 4)) * (1.0 / 12));
    run.Store(&V::resZ, ((Pow(h2, 4) - Pow(h1, 4)) / h2) * (1.0 / 6));
    run.Store(&V::resK, (Pow(h2, 2) + Pow(h1, 2)) * (1.0 / 12));
    return kFirstLineOnly;
}

BlockEnd DiagonalSquare(Block& run, bool) {
    const double h = run.In(1);
    run.Store(&V::resA, Pow(h, 2));
    run.Store(&V::resI, Pow(h, 4) * (1.0 / 12));
    run.Store(&V::resZ, (Pow(2, 0.5) / 12) * Pow(h, 3));
    run.Store(&V::resK, Pow(h, 2) * (1.0 / 12));
    return kFirstLineOnly;
}

BlockEnd HollowDiagonalSquare(Block& run, bool) {
    const double h1 = run.In(1), h2 = run.In(2);
    run.Store(&V::resA, Pow(h2, 2) - Pow(h1, 2));
    run.Store(&V::resI, (Pow(h2, 4) - Pow(h1, 4)) * (1.0 / 12));
    run.Store(&V::resZ, (Pow(2, 0.5) / 12) * ((Pow(h2, 4) - Pow(h1, 4)) / h2));
    run.Store(&V::resK, (Pow(h2, 2) + Pow(h1, 2)) * (1.0 / 12));
    return kFirstLineOnly;
}

BlockEnd IsoscelesTriangle(Block& run, bool) {
    const double h = run.In(1), b = run.In(2);
    run.Store(&V::resA, ((1.0 / 2) * b) * h);
    run.Store(&V::resI, Pow(h, 3) * ((1.0 / 36) * b));
    run.Store(&V::resZ, Pow(h, 2) * ((1.0 / 24) * b));
    run.Store(&V::resZ2, Pow(h, 2) * ((1.0 / 12) * b));
    run.Store(&V::resK, Pow(h, 2) * (1.0 / 18));
    return kModulusOfTheBottomEdge;
}

// Shapes 7 and 8 differ only in the modulus: the extreme fibre lies at √3·b/2 or at b.
void Hexagon(Block& run, bool onSides) {
    const double b = run.In(1);
    run.Store(&V::resA, Pow(b, 2) * ((Pow(3, 0.5) * 3) / 2));
    run.Store(&V::resI, Pow(b, 4) * ((Pow(3, 0.5) * 5) / 16));
    run.Store(&V::resZ, onSides ? Pow(b, 3) * ((Pow(3, 0.5) * 5) / 16) : Pow(b, 3) * (5.0 / 8));
    run.Store(&V::resK, Pow(b, 2) * (5.0 / 24));
}

BlockEnd HexagonOnCorners(Block& run, bool) {
    Hexagon(run, false);
    return kFirstLineOnly;
}

BlockEnd HexagonOnSides(Block& run, bool) {
    Hexagon(run, true);
    return kFirstLineOnly;
}

BlockEnd Octagon(Block& run, bool) {
    const double r = run.In(1);
    run.Store(&V::resA, Pow(r, 2) * 2.8284);
    run.Store(&V::resI, Pow(r, 4) * (((Pow(2, 0.5) + Pow(2, 0.5)) + 1) / 6));
    run.Store(&V::resZ, Pow(r, 3) * 0.6906);
    run.Store(&V::resK, Pow(r, 2) * 0.2256);
    return kFirstLineOnly;
}

BlockEnd Trapezoid(Block& run, bool) {
    const double h = run.In(1), b = run.In(2), b1 = run.In(3);
    const auto P = [&] { return Pow(b1, 2) + ((6 * Pow(b, 2)) + ((6 * b) * b1)); };
    run.Store(&V::resA, ((1.0 / 2) * b1 + b) * h);
    run.Store(&V::resI, Pow(h, 3) * (P() / (36 * ((b + b) + b1))));
    run.Store(&V::resZ, Pow(h, 2) * (P() / (12 * ((b1 + b1) + 3 * b))));
    run.Store(&V::resK, Pow(h, 2) * (P() / (18 * Pow((b + b) + b1, 2))));
    return kFirstLineOnly;
}

BlockEnd Circle(Block& run, bool) {
    const double d = run.In(1);
    run.Store(&V::resA, Pow(d, 2) * (kPi / 4));
    run.Store(&V::resI, Pow(d, 4) * (kPi / 64));
    run.Store(&V::resZ, Pow(d, 3) * (kPi / 32));
    run.Store(&V::resK, Pow(d, 2) * (1.0 / 16));
    return kFirstLineOnly;
}

// The thin-wall line needs t < dm; otherwise it gives way to the t<<dm message.
BlockEnd CircularTube(Block& run, bool ticked) {
    const double d1 = run.In(1), d2 = run.In(2);
    run.Store(&V::resA, (Pow(d2, 2) - Pow(d1, 2)) * (kPi / 4));
    run.Store(&V::resI, (Pow(d2, 4) - Pow(d1, 4)) * (kPi / 64));
    run.Store(&V::resZ, ((Pow(d2, 4) - Pow(d1, 4)) / d2) * (kPi / 32));
    run.Store(&V::resK, (Pow(d1, 2) + Pow(d2, 2)) * (1.0 / 16));
    run.MarkFirstLineDone();
    if (!ticked) return kFirstLineOnly;

    const double dm = run.In(3), t = run.In(4);
    if (!(t < dm)) return {SecondLine::Untouched, AnsMessage::ThinWallCondition};
    run.Store(&V::resA2, (dm * kPi) * t);
    run.Store(&V::resI2, (Pow(dm, 3) * (kPi / 8)) * t);
    run.Store(&V::resZ2, Pow(dm, 2) * ((kPi / 4) * t));
    run.Store(&V::resK2, Pow(dm, 2) * (1.0 / 8));
    return kThinWallLine;
}

BlockEnd Semicircle(Block& run, bool) {
    const double r = run.In(1);
    run.Store(&V::resA, Pow(r, 2) * (kPi / 2));
    run.Store(&V::resI, Pow(r, 4) * ((kPi / 8) - (8 / k9Pi)));
    run.Store(&V::resZ, Pow(r, 3) * 0.1908);
    run.Store(&V::resZ2, Pow(r, 3) * 0.2587);
    run.Store(&V::resK, Pow(r, 2) * ((Pow(kPi, 2) * 9 - 64) / (Pow(kPi, 2) * 36)));
    return kModulusOfTheBottomEdge;
}

BlockEnd Ellipse(Block& run, bool) {
    const double a = run.In(1), b = run.In(2);
    run.Store(&V::resA, (a * kPi) * b);
    run.Store(&V::resI, (Pow(a, 3) * (kPi / 4)) * b);
    run.Store(&V::resZ, (Pow(a, 2) * (kPi / 4)) * b);
    run.Store(&V::resK, Pow(a, 2) * (1.0 / 4));
    return kFirstLineOnly;
}

// All four dimensions are semi-axes; the thin-wall line uses the outer ones.
BlockEnd HollowEllipse(Block& run, bool ticked) {
    const double a1 = run.In(1), a2 = run.In(2), b1 = run.In(3), b2 = run.In(4);
    const auto N = [&] { return Pow(a2, 3) * b2 - Pow(a1, 3) * b1; };
    const auto D = [&] { return b2 * a2 - b1 * a1; };
    run.Store(&V::resA, D() * kPi);
    run.Store(&V::resI, N() * (kPi / 4));
    run.Store(&V::resZ, (N() / a2) * (kPi / 4));
    run.Store(&V::resK, (N() / D()) * (1.0 / 4));
    run.MarkFirstLineDone();
    if (!ticked) return kFirstLineOnly;

    const double t = run.In(5);
    run.Store(&V::resA2, (((b2 + a2) - t) * kPi) * t);
    run.Store(&V::resI2, ((Pow(a2, 2) * (kPi / 4)) * (3 * b2 + a2)) * t);
    run.Store(&V::resZ2, ((3 * b2 + a2) * ((kPi / 4) * a2)) * t);
    run.Store(&V::resK2, ((Pow(a2, 2) * (3 * b2 + a2)) / (b2 + a2)) * (1.0 / 4));
    return kThinWallLine;
}

// Box, I- and channel section: the same outer and inner rectangles.
BlockEnd BoxSection(Block& run, bool ticked) {
    const double h1 = run.In(1), h2 = run.In(2), b1 = run.In(3), b2 = run.In(4);
    const auto S = [&] { return (Pow(h2, 3) * b2) - (Pow(h1, 3) * b1); };
    run.Store(&V::resA, (b2 * h2) - (b1 * h1));
    run.Store(&V::resI, S() * (1.0 / 12));
    run.Store(&V::resZ, (S() / h2) * (1.0 / 6));
    run.Store(&V::resK, (S() / ((b2 * h2) - (b1 * h1))) * (1.0 / 12));
    run.MarkFirstLineDone();
    if (!ticked) return kFirstLineOnly;

    const double t1 = run.In(5), t2 = run.In(6), hb = run.In(7);
    run.Store(&V::resA2, ((t2 + t2) * b2) + (t1 * h1));
    run.Store(&V::resI2,
              ((Pow(t2, 3) * b2) / 6) + (((Pow(h1, 3) * t1) / 12) + ((Pow(hb, 2) * (t2 * b2)) / 2)));
    run.Store(&V::resZ2, ((Pow(t2, 3) * b2) / (h2 * 3)) +
                             (((Pow(h1, 3) * t1) / (h2 * 6)) + ((Pow(hb, 2) * (t2 * b2)) / h2)));
    run.Store(&V::resK2, ((Pow(t2, 3) * (b2 + b2)) + ((Pow(h1, 3) * t1) + (Pow(hb, 2) * ((b2 * 6) * t2)))) /
                             ((((t2 + t2) * b2) + (t1 * h1)) * 12));
    return kThinWallLine;
}

// H-shape, cross and side T: a full-height rectangle b2 × h2 and one b1 × h1 on the axis.
BlockEnd HShapeCrossSideT(Block& run, bool) {
    const double h1 = run.In(1), h2 = run.In(2), b1 = run.In(3), b2 = run.In(4);
    const auto S = [&] { return Pow(h1, 3) * b1 + Pow(h2, 3) * b2; };
    const auto area = [&] { return b2 * h2 + b1 * h1; };
    run.Store(&V::resA, area());
    run.Store(&V::resI, S() * (1.0 / 12));
    run.Store(&V::resZ, (S() / h2) * (1.0 / 6));
    run.Store(&V::resK, (S() / area()) * (1.0 / 12));
    return kFirstLineOnly;
}

// U-, T- and L-section: a full-height rectangle b2 × h2 and one b1 × h1 on the
// bottom edge. e2 and e1 are stored and used as stored.
BlockEnd UTLSection(Block& run, bool) {
    const double h1 = run.In(1), h2 = run.In(2), b1 = run.In(3), b2 = run.In(4);
    const double area = b2 * h2 + b1 * h1;
    run.Store(&V::resA, area);
    const double e2 = run.Store(&V::aux4, (Pow(h1, 2) * b1 + Pow(h2, 2) * b2) / (area + area));
    const double e1 = run.Store(&V::aux3, h2 - e2);
    const auto sum = [&] { return Pow(e1, 3) * b2 + (Pow(e2, 3) * (b2 + b1) - Pow(e2 - h1, 3) * b1); };
    const double I = run.Store(&V::resI, sum() * (1.0 / 3));
    run.Store(&V::resZ, I / e1);
    run.Store(&V::resZ2, I / e2);
    run.Store(&V::resK, (sum() / area) * (1.0 / 3));
    return kModulusOfTheBottomEdge;
}

// The block of each shape, by index. Groups share one block.
using ShapeBlock = BlockEnd (*)(Block&, bool optionTicked);
// clang-format off
constexpr std::array<ShapeBlock, kShapeCount> kBlocks{
    /*  0 */ Rectangle,            RectanglePair,     Square,           HollowSquare,     DiagonalSquare,
    /*  5 */ HollowDiagonalSquare, IsoscelesTriangle, HexagonOnCorners, HexagonOnSides,   Octagon,
    /* 10 */ Trapezoid,            Circle,            CircularTube,     Semicircle,       Ellipse,
    /* 15 */ HollowEllipse,        BoxSection,        BoxSection,       BoxSection,       HShapeCrossSideT,
    /* 20 */ HShapeCrossSideT,     HShapeCrossSideT,  UTLSection,       UTLSection,       UTLSection,
};
// clang-format on

}  // namespace

AnsOutcome ComputeAnswers(ShapeType shape, const InputTexts& texts, bool optionTicked,
                          const SectionValues& before, char decimalSeparator) {
    AnsOutcome out;
    out.values = before;
    if (!FindShape(shape)) return out;  // no shape: nothing happens

    Block run(texts, decimalSeparator, out.values);
    try {
        const BlockEnd end = kBlocks[static_cast<std::size_t>(shape)](run, optionTicked);
        out.showFirstLine = true;
        out.secondLine = end.secondLine;
        out.message = end.message;
    } catch (const StepFailed&) {
        out.showFirstLine = run.firstLineDone();
        out.message = AnsMessage::InputError;
    }
    return out;
}

std::string_view MessageText(AnsMessage message) {
    switch (message) {
        case AnsMessage::InputError: return kInputErrorMessage;
        case AnsMessage::ThinWallCondition: return kThinWallConditionMessage;
        case AnsMessage::None: break;
    }
    return {};
}

}  // namespace velmora
