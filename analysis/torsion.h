// Saint-Venant torsion of a section: the torsion constant, the shear centre,
// the warping constant and the torsional section modulus, each to relative
// 1e-7 (seven shown digits), from closed forms where the section has one and
// otherwise from a high-order finite-element solution of the warping function
// that refines until its error estimate is below that tolerance.
//
// Axes as the details window has them: x to the right, y upwards, through the
// centroid. ω is the warping function: ∇²ω = 0 in the section, ∂ω/∂n =
// y·nₓ − x·n_y on every edge; stresses under a twist rate θ are
// τ = G·θ·(∂ω/∂x − y, ∂ω/∂y + x).
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "core/ans.h"
#include "core/catalogue.h"
#include "core/properties.h"

namespace velmora::analysis {

enum class TorsionProperty { J, xs, ys, Iw, Zt };
inline constexpr int kTorsionPropertyCount = 5;

struct TorsionPropertyInfo {
    TorsionProperty property;
    std::string_view key;           // "J", "xs", "ys", "Iw", "Zt"
    std::string_view japaneseName;  // "ねじり定数" …
    std::string_view symbol;        // as the window shows it
    int lengthPower;                // 4, 1, 1, 6, 3
};
std::span<const TorsionPropertyInfo> AllTorsionProperties();
const TorsionPropertyInfo& Info(TorsionProperty property);

// Why a section with a sharp inner corner has no torsional section modulus.
inline constexpr std::string_view kNoZtReason =
    "入隅（内側の角）ではせん断応力が無限大になるため、ねじり断面係数は定まりません";

// How the values were obtained.
enum class TorsionMethod { ClosedForm, FiniteElement };

// The warping solution over the section, for pictures: evaluate positions and
// the shear stress under a unit torque (T = 1, so |τ| is in 1/length³) on a
// grid of points inside each element.
class TorsionField {
public:
    virtual ~TorsionField() = default;
    struct Sample {
        double x, y;  // centroidal axes
        double tau;   // |τ| under a unit torque
    };
    // n × n samples of every element, element after element (row-major in the
    // element's own parameters, corners included), so that neighbouring
    // samples (i, j), (i+1, j), (i+1, j+1), (i, j+1) of one element form a
    // small quadrilateral of the section.
    virtual std::vector<Sample> Samples(int n) const = 0;
    virtual int ElementCount() const = 0;
};

struct TorsionResult {
    double J = 0;   // St Venant torsion constant
    double xs = 0;  // shear centre from the centroid, x
    double ys = 0;  // shear centre from the centroid, y
    double Iw = 0;  // warping constant about the shear centre
    // Torsional section modulus J ÷ max |(∂ω/∂x − y, ∂ω/∂y + x)|; nothing
    // where a sharp re-entrant corner makes the stress unbounded.
    std::optional<double> Zt;
    // The largest |τ| under a unit torque (1 ÷ Zt), where it is finite.
    std::optional<double> maxStressUnitTorque;
    // Where the largest stress lies (centroidal axes), where it is finite.
    std::optional<std::array<double, 2>> maxStressAt;

    // Estimated absolute errors (0 for closed forms).
    double errorJ = 0, errorXs = 0, errorYs = 0, errorIw = 0, errorZt = 0;

    // Every error estimate is below its tolerance. False where the highest
    // degree was reached first: the last digit shown may then be off.
    bool converged = true;

    TorsionMethod method = TorsionMethod::ClosedForm;
    int elements = 0;  // finite elements of the final mesh (0 for closed forms)
    int order = 0;     // polynomial degree of the final solution
    int unknowns = 0;  // degrees of freedom of the final solution

    // The solution, for pictures (also for closed forms: then a fine
    // finite-element solution of the same section is not made; the field is
    // the exact one sampled on a mesh of the section).
    std::shared_ptr<const TorsionField> field;

    double value(TorsionProperty p) const;  // Zt: NaN where it does not exist
};

struct TorsionOptions {
    double tolerance = 1e-7;  // relative, on J, Iw, Zt; xs, ys relative to the largest dimension
    bool closedForms = true;  // false: the finite-element solution even where a closed form exists
    bool keepField = true;    // false: no field (batches)
};

// The torsion quantities of shape 0 to 24 for its entered dimensions in slot
// order (the exact section: thin-wall options are not read); the dimensions
// must form a real section (CheckSection). Thread-safe: no shared state.
TorsionResult ComputeTorsion(ShapeType shape, std::span<const double> entered,
                             const TorsionOptions& options = {});

// The same from the entered texts, read and checked as ComputeProperties reads
// them: a SectionError where they form no real section.
std::variant<TorsionResult, SectionError> ComputeTorsion(ShapeType shape, const InputTexts& texts,
                                                         char decimalSeparator = '.',
                                                         const TorsionOptions& options = {});

}  // namespace velmora::analysis
