#pragma once

// The renderer's vector type for the sphere mesh and its facet normals. Double precision on
// purpose: the mesh and its normals are computed in doubles and narrowed only when sent to GL.
struct Vec3d {
    double x;
    double y;
    double z;
};

Vec3d VecSub(const Vec3d& a, const Vec3d& b);
Vec3d VecCross(const Vec3d& a, const Vec3d& b);
double VecLength(const Vec3d& v);
// A zero vector yields non-numbers; that happens only for the degenerate triangles at the
// north pole, which cover no pixels.
Vec3d VecNormalize(const Vec3d& v);
