#include "model/vec3d.h"

#include <cmath>

Vec3d VecSub(const Vec3d& a, const Vec3d& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Vec3d VecCross(const Vec3d& a, const Vec3d& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double VecLength(const Vec3d& v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

Vec3d VecNormalize(const Vec3d& v) {
    const double length = VecLength(v);
    return {v.x / length, v.y / length, v.z / length};
}
