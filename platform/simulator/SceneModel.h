#pragma once
// What the simulated instrument sees and how its sensor turns it into counts. Used only by the
// simulator, under its lock.

#include <cstdint>
#include <vector>

/// k0..k5 of the detector nonlinearity as the device reports them: the correction
/// v + (k0 + k1 v + ... + k5 v^5) restores the true count for v >= 40000.
inline constexpr double kNonlinearCoefficients[6] = {-400.0, 0.0, 2.5e-7, 0.0, 0.0, 0.0};

class SceneModel {
  public:
    /// Rebuilds the per-pixel photon rates of a scene for the wavelength polynomial cal.
    void configure(const double cal[4], int pixels, int sceneKind);
    int kind() const { return kind_; }
    int pixels() const { return static_cast<int>(rate_.size()); }

    /// One exposure of integrationUs with the device's boxcar smoothing, pixels() values.
    void render(int integrationUs, int boxcar, double* out);

    /// Noise-free expected counts of one pixel (for tests of the scene shapes).
    double expectedCounts(int pixel, int integrationUs) const;

  private:
    double nextGaussian();

    int kind_ = -1;
    std::vector<double> wave_;    // nm per pixel
    std::vector<double> rate_;    // photo-counts per microsecond per pixel
    std::vector<double> smooth_;  // scratch for the boxcar
    uint64_t rng_ = 0x9E3779B97F4A7C15ull;
};
