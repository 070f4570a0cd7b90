#include "model/fragments.h"

#include "model/crt_rand.h"

Fragment fragments[kMeshPoints][kMeshPoints];

namespace {

constexpr double kOutwardDrift = 200.0;
constexpr int kJitterSteps = 100;
constexpr double kJitterScale = 2000.0;

// Outward drift along the corner's own direction plus a triangular jitter in -0.0495..0.0495.
// The added draw comes first: the order of the calls fixes every explosion.
float Velocity(double cornerComponent) {
    const double added = (CrtRand() % kJitterSteps) / kJitterScale;
    const double taken = (CrtRand() % kJitterSteps) / kJitterScale;
    return static_cast<float>(cornerComponent / kOutwardDrift + added - taken);
}

void SetCorner(Fragment& fragment, int corner, const Vec3d& point) {
    fragment.x[corner] = static_cast<float>(point.x);
    fragment.y[corner] = static_cast<float>(point.y);
    fragment.z[corner] = static_cast<float>(point.z);
}

void BuildFragment(int a, int p) {
    Fragment& fragment = fragments[a][p];
    SetCorner(fragment, 0, sphereMesh[a][p]);
    SetCorner(fragment, 1, sphereMesh[a + 1][p]);
    SetCorner(fragment, 2, sphereMesh[a + 1][p + 1]);
    SetCorner(fragment, 3, sphereMesh[a][p + 1]);
    const Vec3d& origin = sphereMesh[a][p];
    fragment.vx = Velocity(origin.x);
    fragment.vy = Velocity(origin.y);
    fragment.vz = Velocity(origin.z);
}

}  // namespace

void BuildFragments() {
    for (int p = 0; p < kFragmentCells; ++p) {
        for (int a = 0; a < kFragmentCells; ++a) {
            BuildFragment(a, p);
        }
    }
}
