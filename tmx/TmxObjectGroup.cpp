#include "TmxObjectGroup.h"

#include <cstring>

#include "TmxTemplate.h"
#include "TmxXml.h"

namespace tmx {

void TmxPointList::ReadPoints(const TiXmlElement* element) {
    const char* text = element->Attribute("points");
    if (text == nullptr) return;
    const char* const end = text + std::strlen(text);
    TmxPoint point;  // the previous point: what an unreadable coordinate keeps
    for (const char* p = text; p != end;) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        const char* tokenEnd = static_cast<const char*>(std::memchr(p, ' ', end - p));
        if (tokenEnd == nullptr) tokenEnd = end;
        const char* afterX = ScanIntAt(p, tokenEnd, point.x);
        if (afterX != p && afterX != tokenEnd && *afterX == ',') {
            ScanIntAt(afterX + 1, tokenEnd, point.y);
        }
        points_.push_back(point);
        p = tokenEnd;
    }
}

void TmxObject::ReadElement(const TiXmlElement* element) {
    location_ = LocationOf(element);
    ReadIntAttribute(element, "id", id_);
    ReadTextAttribute(element, "name", name_);
    ReadTextAttribute(element, "type", type_);
    ReadTextAttribute(element, "template", template_);
    ReadIntAttribute(element, "x", x_);
    ReadIntAttribute(element, "y", y_);
    ReadIntAttribute(element, "width", width_);
    ReadIntAttribute(element, "height", height_);
    hasGid_ = element->Attribute("gid") != nullptr;
    ReadIntAttribute(element, "gid", gid_);
    if (element->FirstChildElement("ellipse")) SetShape(TmxShape::Ellipse);
    if (element->FirstChildElement("point")) SetShape(TmxShape::Point);
    if (element->FirstChildElement("text")) SetShape(TmxShape::Text);
    if (const TiXmlElement* polygon = element->FirstChildElement("polygon")) {
        polygon_.emplace().ReadPoints(polygon);
        SetShape(TmxShape::Polygon);
    }
    if (const TiXmlElement* polyline = element->FirstChildElement("polyline")) {
        polyline_.emplace().ReadPoints(polyline);
        SetShape(TmxShape::Polyline);
    }
    SetShape(shape_);
    properties_.ReadFirstBlockOf(element);
}

void TmxObject::SetShape(TmxShape shape) {
    if (shape != TmxShape::Rectangle && shape != TmxShape::Tile) hasShape_ = true;
    shape_ = shape;
    if (!hasShape_) shape_ = gid_ != 0 ? TmxShape::Tile : TmxShape::Rectangle;
    // Derived from the rectangle; halves truncate toward zero.
    if (shape == TmxShape::Ellipse) {
        ellipse_ =
            TmxEllipse{WrapAdd(x_, width_ / 2), WrapAdd(y_, height_ / 2), width_ / 2, height_ / 2};
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
    merged.ellipse_.reset();
    merged.SetShape(merged.shape_);
    *this = std::move(merged);
}

void TmxObjectGroup::ReadElement(const TiXmlElement* element, TmxTemplates& templates,
                                 TmxFindings& findings) {
    location_ = LocationOf(element);
    ReadTextAttribute(element, "name", name_);
    ReadDoubleAttribute(element, "offsetx", offsetX_);
    ReadDoubleAttribute(element, "offsety", offsetY_);
    ReadIntAttribute(element, "width", width_);
    ReadIntAttribute(element, "height", height_);
    ReadIntAttribute(element, "visible", visible_);
    properties_.ReadFirstBlockOf(element);
    for (const TiXmlElement* object = element->FirstChildElement("object"); object;
         object = object->NextSiblingElement("object")) {
        objects_.emplace_back().ReadElement(object);
        ApplyTemplate(templates, findings);
    }
}

void TmxObjectGroup::ApplyTemplate(TmxTemplates& templates, TmxFindings& findings) {
    TmxObject& object = objects_.back();
    const std::string problem = templates.Apply(object);
    if (problem.empty()) return;
    // subject: the template as the map names it; detail: why it is not used.
    findings.push_back({TmxSeverity::Warning,
                        TmxFindingKind::Template,
                        TmxElement::Object,
                        object.location(),
                        name_,
                        object.id(),
                        object.templatePath(),
                        {},
                        problem});
}

}  // namespace tmx
