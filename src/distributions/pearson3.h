#pragma once
// Pearson type III in standardised form: the quantile Φ(P, Cs) with mean 0
// and unit variance, for the exceedance probability P in percent.

namespace aqualen::dist {

// Φ(P, Cs) at non-exceedance 1 − P/100. For Cs > 0, with α = 4/Cs²,
// Φ = (G⁻¹_α(1 − P/100) − α)/√α, G the unit-scale gamma of shape α; mirrored
// for Cs < 0 (Φ(P, Cs) = −Φ(100 − P, −Cs)); the normal quantile at Cs = 0.
// 0 < P < 100.
double PearsonPhi(double exceedancePercent, double cs);

// Skewness below which the gamma form is replaced by its expansion about the
// normal (the gamma form loses digits to cancellation as α grows).
inline constexpr double kNearNormalSkew = 1e-4;

} // namespace aqualen::dist
