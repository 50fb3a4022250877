#include "core/ans.h"

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

private:
    const InputTexts& texts_;
    char separator_;
    SectionValues& v_;
};

using V = SectionValues;

void Rectangle(Block& run) {
    const double h = run.In(1), b = run.In(2);
    run.Store(&V::resA, b * h);
    run.Store(&V::resI, Pow(h, 3) * ((1.0 / 12) * b));
    run.Store(&V::resZ, Pow(h, 2) * ((1.0 / 6) * b));
    run.Store(&V::resK, Pow(h, 2) * (1.0 / 12));
}

void RectanglePair(Block& run) {
    const double h1 = run.In(1), h2 = run.In(2), b = run.In(3);
    run.Store(&V::resA, (h2 - h1) * b);
    run.Store(&V::resI, (Pow(h2, 3) - Pow(h1, 3)) * ((1.0 / 12) * b));
    run.Store(&V::resZ, (((Pow(h2, 3) - Pow(h1, 3)) * b) / h2) * (1.0 / 6));
    run.Store(&V::resK, ((Pow(h2, 3) - Pow(h1, 3)) / (h2 - h1)) * (1.0 / 12));
}

void Square(Block& run) {
    const double h = run.In(1);
    run.Store(&V::resA, Pow(h, 2));
    run.Store(&V::resI, Pow(h, 4) * (1.0 / 12));
    run.Store(&V::resZ, Pow(h, 3) * (1.0 / 6));
    run.Store(&V::resK, Pow(h, 2) * (1.0 / 12));
}

void HollowSquare(Block& run) {
    const double h1 = run.In(1), h2 = run.In(2);
    run.Store(&V::resA, Pow(h2, 2) - Pow(h1, 2));
    run.Store(&V::resI, (Pow(h2, 4) - Pow(h1, 4)) * (1.0 / 12));
    run.Store(&V::resZ, ((Pow(h2, 4) - Pow(h1, 4)) / h2) * (1.0 / 6));
    run.Store(&V::resK, (Pow(h2, 2) + Pow(h1, 2)) * (1.0 / 12));
}

void DiagonalSquare(Block& run) {
    const double h = run.In(1);
    run.Store(&V::resA, Pow(h, 2));
    run.Store(&V::resI, Pow(h, 4) * (1.0 / 12));
    run.Store(&V::resZ, (Pow(2, 0.5) / 12) * Pow(h, 3));
    run.Store(&V::resK, Pow(h, 2) * (1.0 / 12));
}

void HollowDiagonalSquare(Block& run) {
    const double h1 = run.In(1), h2 = run.In(2);
    run.Store(&V::resA, Pow(h2, 2) - Pow(h1, 2));
    run.Store(&V::resI, (Pow(h2, 4) - Pow(h1, 4)) * (1.0 / 12));
    run.Store(&V::resZ, (Pow(2, 0.5) / 12) * ((Pow(h2, 4) - Pow(h1, 4)) / h2));
    run.Store(&V::resK, (Pow(h2, 2) + Pow(h1, 2)) * (1.0 / 12));
}

void IsoscelesTriangle(Block& run) {
    const double h = run.In(1), b = run.In(2);
    run.Store(&V::resA, ((1.0 / 2) * b) * h);
    run.Store(&V::resI, Pow(h, 3) * ((1.0 / 36) * b));
    run.Store(&V::resZ, Pow(h, 2) * ((1.0 / 24) * b));
    run.Store(&V::resZ2, Pow(h, 2) * ((1.0 / 12) * b));
    run.Store(&V::resK, Pow(h, 2) * (1.0 / 18));
}

// Shapes 7 and 8 differ only in the modulus: the extreme fibre lies at √3·b/2 or at b.
void Hexagon(Block& run, bool onSides) {
    const double b = run.In(1);
    run.Store(&V::resA, Pow(b, 2) * ((Pow(3, 0.5) * 3) / 2));
    run.Store(&V::resI, Pow(b, 4) * ((Pow(3, 0.5) * 5) / 16));
    run.Store(&V::resZ, onSides ? Pow(b, 3) * ((Pow(3, 0.5) * 5) / 16) : Pow(b, 3) * (5.0 / 8));
    run.Store(&V::resK, Pow(b, 2) * (5.0 / 24));
}

void Octagon(Block& run) {
    const double r = run.In(1);
    run.Store(&V::resA, Pow(r, 2) * 2.8284);
    run.Store(&V::resI, Pow(r, 4) * (((Pow(2, 0.5) + Pow(2, 0.5)) + 1) / 6));
    run.Store(&V::resZ, Pow(r, 3) * 0.6906);
    run.Store(&V::resK, Pow(r, 2) * 0.2256);
}

void Trapezoid(Block& run) {
    const double h = run.In(1), b = run.In(2), b1 = run.In(3);
    const auto P = [&] { return Pow(b1, 2) + ((6 * Pow(b, 2)) + ((6 * b) * b1)); };
    run.Store(&V::resA, ((1.0 / 2) * b1 + b) * h);
    run.Store(&V::resI, Pow(h, 3) * (P() / (36 * ((b + b) + b1))));
    run.Store(&V::resZ, Pow(h, 2) * (P() / (12 * ((b1 + b1) + 3 * b))));
    run.Store(&V::resK, Pow(h, 2) * (P() / (18 * Pow((b + b) + b1, 2))));
}

void Circle(Block& run) {
    const double d = run.In(1);
    run.Store(&V::resA, Pow(d, 2) * (kPi / 4));
    run.Store(&V::resI, Pow(d, 4) * (kPi / 64));
    run.Store(&V::resZ, Pow(d, 3) * (kPi / 32));
    run.Store(&V::resK, Pow(d, 2) * (1.0 / 16));
}

void Semicircle(Block& run) {
    const double r = run.In(1);
    run.Store(&V::resA, Pow(r, 2) * (kPi / 2));
    run.Store(&V::resI, Pow(r, 4) * ((kPi / 8) - (8 / k9Pi)));
    run.Store(&V::resZ, Pow(r, 3) * 0.1908);
    run.Store(&V::resZ2, Pow(r, 3) * 0.2587);
    run.Store(&V::resK, Pow(r, 2) * ((Pow(kPi, 2) * 9 - 64) / (Pow(kPi, 2) * 36)));
}

void Ellipse(Block& run) {
    const double a = run.In(1), b = run.In(2);
    run.Store(&V::resA, (a * kPi) * b);
    run.Store(&V::resI, (Pow(a, 3) * (kPi / 4)) * b);
    run.Store(&V::resZ, (Pow(a, 2) * (kPi / 4)) * b);
    run.Store(&V::resK, Pow(a, 2) * (1.0 / 4));
}

void HShapeCrossSideT(Block& run) {
    const double h1 = run.In(1), h2 = run.In(2), b1 = run.In(3), b2 = run.In(4);
    const auto S = [&] { return Pow(h1, 3) * b1 + Pow(h2, 3) * b2; };
    const auto area = [&] { return b2 * h2 + b1 * h1; };
    run.Store(&V::resA, area());
    run.Store(&V::resI, S() * (1.0 / 12));
    run.Store(&V::resZ, (S() / h2) * (1.0 / 6));
    run.Store(&V::resK, (S() / area()) * (1.0 / 12));
}

// The two rectangles of the U-, T- and L-section: b2 × h2 full height, b1 × h1 on the bottom.
void UTLSection(Block& run) {
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
}

}  // namespace

AnsOutcome ComputeAnswers(ShapeType shape, const InputTexts& texts, bool optionTicked,
                          const SectionValues& before, char decimalSeparator) {
    AnsOutcome out;
    out.values = before;
    Block run(texts, decimalSeparator, out.values);
    try {
        switch (shape) {
            case 0: Rectangle(run); break;
            case 1: RectanglePair(run); break;
            case 2: Square(run); break;
            case 3: HollowSquare(run); break;
            case 4: DiagonalSquare(run); break;
            case 5: HollowDiagonalSquare(run); break;
            case 6: IsoscelesTriangle(run); out.secondLine = SecondLine::ZOnly; break;
            case 7: Hexagon(run, false); break;
            case 8: Hexagon(run, true); break;
            case 9: Octagon(run); break;
            case 10: Trapezoid(run); break;
            case 11: Circle(run); break;
            case 12: {
                const double d1 = run.In(1), d2 = run.In(2);
                run.Store(&V::resA, (Pow(d2, 2) - Pow(d1, 2)) * (kPi / 4));
                run.Store(&V::resI, (Pow(d2, 4) - Pow(d1, 4)) * (kPi / 64));
                run.Store(&V::resZ, ((Pow(d2, 4) - Pow(d1, 4)) / d2) * (kPi / 32));
                run.Store(&V::resK, (Pow(d1, 2) + Pow(d2, 2)) * (1.0 / 16));
                out.showFirstLine = true;
                if (!optionTicked) break;
                const double dm = run.In(3), t = run.In(4);
                if (!(t < dm)) {
                    out.message = AnsMessage::ThinWallCondition;
                    break;
                }
                run.Store(&V::resA2, (dm * kPi) * t);
                run.Store(&V::resI2, (Pow(dm, 3) * (kPi / 8)) * t);
                run.Store(&V::resZ2, Pow(dm, 2) * ((kPi / 4) * t));
                run.Store(&V::resK2, Pow(dm, 2) * (1.0 / 8));
                out.secondLine = SecondLine::Full;
                break;
            }
            case 13: Semicircle(run); out.secondLine = SecondLine::ZOnly; break;
            case 14: Ellipse(run); break;
            case 15: {
                const double a1 = run.In(1), a2 = run.In(2), b1 = run.In(3), b2 = run.In(4);
                const auto N = [&] { return Pow(a2, 3) * b2 - Pow(a1, 3) * b1; };
                const auto D = [&] { return b2 * a2 - b1 * a1; };
                run.Store(&V::resA, D() * kPi);
                run.Store(&V::resI, N() * (kPi / 4));
                run.Store(&V::resZ, (N() / a2) * (kPi / 4));
                run.Store(&V::resK, (N() / D()) * (1.0 / 4));
                out.showFirstLine = true;
                if (!optionTicked) break;
                const double t = run.In(5);
                run.Store(&V::resA2, (((b2 + a2) - t) * kPi) * t);
                run.Store(&V::resI2, ((Pow(a2, 2) * (kPi / 4)) * (3 * b2 + a2)) * t);
                run.Store(&V::resZ2, ((3 * b2 + a2) * ((kPi / 4) * a2)) * t);
                run.Store(&V::resK2, ((Pow(a2, 2) * (3 * b2 + a2)) / (b2 + a2)) * (1.0 / 4));
                out.secondLine = SecondLine::Full;
                break;
            }
            case 16:
            case 17:
            case 18: {
                const double h1 = run.In(1), h2 = run.In(2), b1 = run.In(3), b2 = run.In(4);
                const auto S = [&] { return (Pow(h2, 3) * b2) - (Pow(h1, 3) * b1); };
                run.Store(&V::resA, (b2 * h2) - (b1 * h1));
                run.Store(&V::resI, S() * (1.0 / 12));
                run.Store(&V::resZ, (S() / h2) * (1.0 / 6));
                run.Store(&V::resK, (S() / ((b2 * h2) - (b1 * h1))) * (1.0 / 12));
                out.showFirstLine = true;
                if (!optionTicked) break;
                const double t1 = run.In(5), t2 = run.In(6), hb = run.In(7);
                run.Store(&V::resA2, ((t2 + t2) * b2) + (t1 * h1));
                run.Store(&V::resI2, ((Pow(t2, 3) * b2) / 6) +
                                       (((Pow(h1, 3) * t1) / 12) + ((Pow(hb, 2) * (t2 * b2)) / 2)));
                run.Store(&V::resZ2, ((Pow(t2, 3) * b2) / (h2 * 3)) +
                                       (((Pow(h1, 3) * t1) / (h2 * 6)) + ((Pow(hb, 2) * (t2 * b2)) / h2)));
                run.Store(&V::resK2,
                        ((Pow(t2, 3) * (b2 + b2)) + ((Pow(h1, 3) * t1) + (Pow(hb, 2) * ((b2 * 6) * t2)))) /
                            ((((t2 + t2) * b2) + (t1 * h1)) * 12));
                out.secondLine = SecondLine::Full;
                break;
            }
            case 19:
            case 20:
            case 21: HShapeCrossSideT(run); break;
            case 22:
            case 23:
            case 24: UTLSection(run); out.secondLine = SecondLine::ZOnly; break;
            default: return out;  // no shape: nothing happens
        }
        out.showFirstLine = true;
    } catch (const StepFailed&) {
        out.message = AnsMessage::InputError;
        // A failure before the first line was complete shows nothing; one after
        // it (the thin-wall part of 12, 15, 16 to 18) leaves the first line shown.
        out.secondLine = SecondLine::Untouched;
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
