#include "tmx/model/TmxObjectGroup.h"

namespace tmx {

namespace {

// A sum as the map's 32-bit numbers hold it: wrapped, never undefined.
int32_t Wrapped(int64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

}  // namespace

void TmxPointList::Add(TmxPoint point) {
    points_.push_back(point);
}

void TmxPointList::AddPartial(TmxPoint point, std::string_view text) {
    if (partialCount_++ == 0) firstPartial_ = TmxPartialPoint{points_.size(), std::string(text)};
    points_.push_back(point);
}

void TmxObject::SetPosition(int32_t x, int32_t y) {
    x_ = x;
    y_ = y;
    Derive();
}

void TmxObject::SetSize(int32_t width, int32_t height) {
    width_ = width;
    height_ = height;
    Derive();
}

void TmxObject::SetGid(int32_t gid) {
    gid_ = gid;
    hasGid_ = true;
    Derive();
}

void TmxObject::SetShape(TmxShape shape) {
    if (shape != TmxShape::Rectangle && shape != TmxShape::Tile) hasShape_ = true;
    shape_ = shape;
    Derive();
}

void TmxObject::SetPolygon(TmxPolygon points) {
    polygon_ = std::move(points);
    SetShape(TmxShape::Polygon);
}

void TmxObject::SetPolyline(TmxPolyline points) {
    polyline_ = std::move(points);
    SetShape(TmxShape::Polyline);
}

void TmxObject::Derive() {
    if (!hasShape_) shape_ = gid_ != 0 ? TmxShape::Tile : TmxShape::Rectangle;
    ellipse_.reset();
    // Derived from the rectangle; halves truncate toward zero.
    if (shape_ == TmxShape::Ellipse) {
        ellipse_ = TmxEllipse{Wrapped(int64_t{x_} + width_ / 2), Wrapped(int64_t{y_} + height_ / 2),
                              width_ / 2, height_ / 2};
    }
}

void TmxObject::ApplyTemplate(const TmxObject& base) {
    TmxObject merged = base;
    merged.location_ = location_;
    merged.id_ = id_;
    merged.template_ = template_;
    merged.x_ = x_;
    merged.y_ = y_;
    // An empty name or type, or a size without both sides, changes nothing.
    if (!name_.empty()) merged.name_ = name_;
    if (!type_.empty()) merged.type_ = type_;
    if (hasGid_) merged.gid_ = gid_;
    if (width_ > 0 && height_ > 0) {
        merged.width_ = width_;
        merged.height_ = height_;
    }
    if (hasShape_) {
        merged.hasShape_ = true;
        merged.shape_ = shape_;
        merged.polygon_ = polygon_;
        merged.polyline_ = polyline_;
    }
    for (const auto& [name, property] : properties_.entries())
        merged.properties_.Set(name, property);
    merged.Derive();
    *this = std::move(merged);
}

}  // namespace tmx
