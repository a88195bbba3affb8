#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tmx/model/TmxFinding.h"
#include "tmx/model/TmxProperties.h"
#include "tmx/model/TmxShape.h"

namespace tmx {

struct TmxPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// A point whose text is not two whole numbers "x,y", read as far as it goes.
struct TmxPartialPoint {
    size_t index = 0;  // 0-based, in the list
    std::string text;  // its token, as written
};

// The points of a polygon or polyline, as offsets from the object's position.
class TmxPointList {
  public:
    // The next point, and one whose text (`text`) was not read whole.
    void Add(TmxPoint point);
    void AddPartial(TmxPoint point, std::string_view text);

    const std::vector<TmxPoint>& points() const { return points_; }
    // The first point not read whole, and how many there are.
    const std::optional<TmxPartialPoint>& firstPartial() const { return firstPartial_; }
    size_t partialCount() const { return partialCount_; }

  private:
    std::vector<TmxPoint> points_;
    std::optional<TmxPartialPoint> firstPartial_;
    size_t partialCount_ = 0;
};

class TmxPolygon : public TmxPointList {};
class TmxPolyline : public TmxPointList {};

// Derived from the object's rectangle; halves truncate toward zero.
struct TmxEllipse {
    int32_t centerX = 0;
    int32_t centerY = 0;
    int32_t radiusX = 0;
    int32_t radiusY = 0;
};

class TmxObject {
  public:
    // What a reader found of it. The shape follows: a shape child decides,
    // else a gid makes a tile; an ellipse is derived from the rectangle.
    void SetLocation(TmxLocation location) { location_ = location; }
    void SetId(int32_t id) { id_ = id; }
    void SetName(std::string name) { name_ = std::move(name); }
    void SetType(std::string type) { type_ = std::move(type); }
    void SetTemplatePath(std::string path) { template_ = std::move(path); }
    void SetPosition(int32_t x, int32_t y);
    void SetSize(int32_t width, int32_t height);
    void SetGid(int32_t gid);  // the object has a gid, even 0
    void SetShape(TmxShape shape);
    void SetPolygon(TmxPolygon points);
    void SetPolyline(TmxPolyline points);
    TmxProperties& editProperties() { return properties_; }

    // Makes this object, read as an instance of a template, what Tiled makes
    // of it: the template's object with the instance's place and id, and the
    // instance's name, type, gid, size, shape and properties where it sets them.
    void ApplyTemplate(const TmxObject& base);

    TmxLocation location() const { return location_; }
    int32_t id() const { return id_; }
    TmxShape shape() const { return shape_; }
    const std::string& name() const { return name_; }
    const std::string& type() const { return type_; }
    // The template file as the map names it; empty when none.
    const std::string& templatePath() const { return template_; }
    int32_t x() const { return x_; }
    int32_t y() const { return y_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    int32_t gid() const { return gid_; }
    const std::optional<TmxEllipse>& ellipse() const { return ellipse_; }
    const std::optional<TmxPolygon>& polygon() const { return polygon_; }
    const std::optional<TmxPolyline>& polyline() const { return polyline_; }
    const TmxProperties& properties() const { return properties_; }

  private:
    // The parts that follow from the others: the shape where no child set
    // one, and the ellipse.
    void Derive();

    TmxLocation location_;
    int32_t id_ = 0;
    TmxShape shape_ = TmxShape::Rectangle;
    bool hasShape_ = false;  // a shape child was read
    bool hasGid_ = false;
    std::string name_;
    std::string type_;
    std::string template_;
    int32_t x_ = 0;
    int32_t y_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t gid_ = 0;
    std::optional<TmxEllipse> ellipse_;
    std::optional<TmxPolygon> polygon_;
    std::optional<TmxPolyline> polyline_;
    TmxProperties properties_;
};

class TmxObjectGroup {
  public:
    // What a reader found of it.
    void SetLocation(TmxLocation location) { location_ = location; }
    void SetId(int32_t id) { id_ = id; }
    void SetName(std::string name) { name_ = std::move(name); }
    void SetSize(int32_t width, int32_t height) {
        width_ = width;
        height_ = height;
    }
    void SetVisible(int32_t visible) { visible_ = visible; }
    void SetOffset(double x, double y) {
        offsetX_ = x;
        offsetY_ = y;
    }
    TmxProperties& editProperties() { return properties_; }
    void AddObject(TmxObject object) { objects_.push_back(std::move(object)); }
    // The objects, for what follows the reading: templates.
    std::vector<TmxObject>& editObjects() { return objects_; }

    TmxLocation location() const { return location_; }
    // The "id" Tiled gives every layer since 1.2; 0 where the map has none.
    int32_t id() const { return id_; }
    const std::string& name() const { return name_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    int32_t visible() const { return visible_; }
    double offsetX() const { return offsetX_; }
    double offsetY() const { return offsetY_; }
    int32_t orderIndex() const { return orderIndex_; }
    void setOrderIndex(int32_t orderIndex) { orderIndex_ = orderIndex; }
    const TmxProperties& properties() const { return properties_; }
    const std::vector<TmxObject>& objects() const { return objects_; }

  private:
    TmxLocation location_;
    int32_t id_ = 0;
    std::string name_;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t visible_ = 1;
    double offsetX_ = 0;
    double offsetY_ = 0;
    int32_t orderIndex_ = 0;
    TmxProperties properties_;
    std::vector<TmxObject> objects_;
};

}  // namespace tmx
