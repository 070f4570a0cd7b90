#include "model/sphere_mesh.h"

#include <cmath>

Vec3d sphereMesh[kMeshPoints][kMeshPoints];

namespace {

constexpr double kDegreesToRadians = 0.01745;
constexpr double kPolarStepDegrees = 2.8125;
constexpr double kAzimuthStepDegrees = 5.625;
constexpr double kAzimuthStartDegrees = -90.0;

// 360 x 0.01745 falls short of a full turn, so the computed last column would leave a gap.
void CloseSeam() {
    for (int p = 0; p < kMeshPoints; ++p) {
        sphereMesh[kMeshCells][p] = sphereMesh[0][p];
    }
}

}  // namespace

void BuildSphereMesh() {
    for (int p = 0; p < kMeshPoints; ++p) {
        const double theta = p * kPolarStepDegrees * kDegreesToRadians;
        const double ringRadius = std::sin(theta);
        for (int a = 0; a < kMeshPoints; ++a) {
            const double phi = (a * kAzimuthStepDegrees + kAzimuthStartDegrees) * kDegreesToRadians;
            sphereMesh[a][p] = {std::cos(phi) * ringRadius, std::cos(theta),
                                std::sin(phi) * ringRadius};
        }
    }
    CloseSeam();
}
