#include "FlowField.h"

#include "PlaneBlur.h"

#include <algorithm>
#include <cmath>

void FlowField::fallDirection(float x, float y, float crownX, float crownY, float reach, float &dx, float &dy)
{
    float rx = x - crownX;
    float ry = y - crownY;
    const float len = std::sqrt(rx * rx + ry * ry);
    if (len < 1e-3f) {
        dx = 0;
        dy = 1;
        return;
    }
    rx /= len;
    ry /= len;
    const float below = std::clamp((y - crownY) / std::max(1.0f, reach), 0.0f, 1.0f);
    const float gravity = 0.15f + 1.6f * below * below;
    ry += gravity;
    const float l2 = std::sqrt(rx * rx + ry * ry);
    dx = rx / l2;
    dy = ry / l2;
}

FlowField::FlowField(const HairMask &mask, const DistanceField &distance, float crownX, float crownY)
    : m_width(mask.width()), m_height(mask.height()), m_dx(std::size_t(m_width) * m_height, 0.0f),
      m_dy(std::size_t(m_width) * m_height, 1.0f)
{
    if (mask.isNull())
        return;
    int left, top, right, bottom;
    if (!mask.bounds(left, top, right, bottom))
        return;
    const float reach = 0.45f * float(bottom - top + 1);
    const float scale = std::max(1.0f, float(bottom - top + 1) / 400.0f);

    // A smoothed distance gives outline tangents without pixel staircase.
    std::vector<float> smooth = distance.values();
    PlaneBlur::box(smooth, m_width, m_height, 2, 2);
    const auto s = [&](int x, int y) {
        x = std::clamp(x, 0, m_width - 1);
        y = std::clamp(y, 0, m_height - 1);
        return smooth[std::size_t(y) * m_width + x];
    };

    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            float px, py;
            fallDirection(float(x), float(y), crownX, crownY, reach, px, py);
            const float gx = s(x + 1, y) - s(x - 1, y);
            const float gy = s(x, y + 1) - s(x, y - 1);
            const float g = std::sqrt(gx * gx + gy * gy);
            float vx = px;
            float vy = py;
            if (g > 1e-4f) {
                float tx = -gy / g;
                float ty = gx / g;
                if (tx * px + ty * py < 0) {
                    tx = -tx;
                    ty = -ty;
                }
                // Close to the outline the lock decides; deep inside, the fall.
                const float d = distance.at(x, y);
                const float w = std::exp(-d / (9.0f * scale)) * std::min(1.0f, g * 2.0f);
                vx = w * tx + (1 - w) * px;
                vy = w * ty + (1 - w) * py;
            }
            const std::size_t i = std::size_t(y) * m_width + x;
            m_dx[i] = vx;
            m_dy[i] = vy;
        }
    PlaneBlur::box(m_dx, m_width, m_height, 3, 2);
    PlaneBlur::box(m_dy, m_width, m_height, 3, 2);
    for (std::size_t i = 0; i < m_dx.size(); ++i) {
        const float l = std::sqrt(m_dx[i] * m_dx[i] + m_dy[i] * m_dy[i]);
        if (l > 1e-5f) {
            m_dx[i] /= l;
            m_dy[i] /= l;
        } else {
            m_dx[i] = 0;
            m_dy[i] = 1;
        }
    }
}

void FlowField::at(int x, int y, float &dx, float &dy) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        dx = 0;
        dy = 1;
        return;
    }
    const std::size_t i = std::size_t(y) * m_width + x;
    dx = m_dx[i];
    dy = m_dy[i];
}

void FlowField::sample(float x, float y, float &dx, float &dy) const
{
    const int x0 = int(std::floor(x));
    const int y0 = int(std::floor(y));
    const float fx = x - float(x0);
    const float fy = y - float(y0);
    float ax, ay, bx, by, cx, cy, ex, ey;
    at(x0, y0, ax, ay);
    at(x0 + 1, y0, bx, by);
    at(x0, y0 + 1, cx, cy);
    at(x0 + 1, y0 + 1, ex, ey);
    const float vx = (ax * (1 - fx) + bx * fx) * (1 - fy) + (cx * (1 - fx) + ex * fx) * fy;
    const float vy = (ay * (1 - fx) + by * fx) * (1 - fy) + (cy * (1 - fx) + ey * fx) * fy;
    const float l = std::sqrt(vx * vx + vy * vy);
    if (l > 1e-5f) {
        dx = vx / l;
        dy = vy / l;
    } else {
        dx = 0;
        dy = 1;
    }
}
