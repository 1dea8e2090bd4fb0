#pragma once
// The Boost.Math policy of this subsystem: doubles are not promoted to long
// double inside the special functions. The results stay within a few units
// in the last place, and the gamma inverses run about five times faster,
// which the bootstrap needs.

#include <boost/math/distributions/normal.hpp>
#include <boost/math/policies/policy.hpp>

namespace aqualen::dist {

using MathPolicy = boost::math::policies::policy<boost::math::policies::promote_double<false>>;
using Normal = boost::math::normal_distribution<double, MathPolicy>;

} // namespace aqualen::dist
