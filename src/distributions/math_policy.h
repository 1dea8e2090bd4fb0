#pragma once
// The Boost.Math policy of this subsystem: doubles are not promoted to long
// double inside the special functions. The results stay within a few units
// in the last place, and the gamma inverses run about five times faster,
// which the bootstrap needs.

#include <stdexcept>

#include <boost/math/distributions/normal.hpp>
#include <boost/math/policies/error_handling.hpp>
#include <boost/math/policies/policy.hpp>

#include "distributions/analytic_curve.h"

namespace aqualen::dist {

using MathPolicy = boost::math::policies::policy<boost::math::policies::promote_double<false>>;
using Normal = boost::math::normal_distribution<double, MathPolicy>;

// The refusal of a curve whose special functions do not evaluate.
inline constexpr const char* kNotComputableText =
    "Кривая с такими параметрами не вычисляется: расчёт специальной функции не сходится!";

// Runs a computation over Boost's special functions and root finders and
// turns their errors (a series that does not converge within its iteration
// limit, a root that cannot be bracketed, an argument outside the domain, a
// result beyond the double range) into a refusal, so that none of them
// leaves the fit. FloatFault and FitRefused pass unchanged.
template <class Body> auto RefuseEvaluationErrors(Body&& body) -> decltype(body())
{
    try {
        return body();
    } catch (const boost::math::evaluation_error&) {
        throw FitRefused(kNotComputableText);
    } catch (const boost::math::rounding_error&) {
        throw FitRefused(kNotComputableText);
    } catch (const std::domain_error&) {
        throw FitRefused(kNotComputableText);
    } catch (const std::overflow_error&) {
        throw FitRefused(kNotComputableText);
    }
}

} // namespace aqualen::dist
