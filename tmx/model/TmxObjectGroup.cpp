#include "tmx/model/TmxObjectGroup.h"

#include <cstring>

#include "tmx/read/TmxTemplate.h"
#include "tmx/read/TmxXml.h"

namespace tmx {

void TmxPointList::ReadPoints(const TiXmlElement* element) {
    if (const char* text = element->Attribute("points")) ReadText(text);
}

void TmxPointList::ReadText(std::string_view text) {
    const char* const end = text.data() + text.size();
    TmxPoint point;  // the previous point: what an unreadable coordinate keeps
    for (const char* p = text.data(); p != end;) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        const char* tokenEnd = static_cast<const char*>(std::memchr(p, ' ', end - p));
        if (tokenEnd == nullptr) tokenEnd = end;
        const char* afterX = ScanIntAt(p, tokenEnd, point.x);
        const char* afterY = afterX;
        if (afterX != p && afterX != tokenEnd && *afterX == ',') {
            afterY = ScanIntAt(afterX + 1, tokenEnd, point.y);
        }
        const bool whole =
            afterX != p && afterY != afterX && afterY != afterX + 1 && afterY == tokenEnd;
        if (!whole && partialCount_++ == 0) {
            firstPartial_ = TmxPartialPoint{points_.size(), std::string(p, tokenEnd)};
        }
        points_.push_back(point);
        p = tokenEnd;
    }
}

void TmxObject::ReadElement(const TiXmlElement* element) {
    location_ = LocationOf(element);
    // Maps hold thousands of objects: each attribute and child is looked at once.
    static constexpr struct {
        const char* name;
        int32_t TmxObject::*field;
    } kNumbers[] = {{"id", &TmxObject::id_},         {"x", &TmxObject::x_},
                    {"y", &TmxObject::y_},           {"width", &TmxObject::width_},
                    {"height", &TmxObject::height_}, {"gid", &TmxObject::gid_}};
    static constexpr struct {
        const char* name;
        std::string TmxObject::*field;
    } kTexts[] = {{"name", &TmxObject::name_},
                  {"type", &TmxObject::type_},
                  {"template", &TmxObject::template_}};
    for (const TiXmlAttribute* a = element->FirstAttribute(); a != nullptr; a = a->Next()) {
        const char* name = a->Name();
        for (const auto& number : kNumbers) {
            if (std::strcmp(name, number.name) == 0) ScanInt(a->Value(), this->*number.field);
        }
        for (const auto& text : kTexts) {
            if (std::strcmp(name, text.name) == 0) this->*text.field = a->Value();
        }
        if (std::strcmp(name, "gid") == 0) hasGid_ = true;
    }
    // The first child of each name counts; the shapes in this order of precedence.
    const TiXmlElement* shapes[5] = {};  // ellipse, point, text, polygon, polyline
    const TiXmlElement* properties = nullptr;
    static constexpr const char* kShapeNames[5] = {"ellipse", "point", "text", "polygon",
                                                   "polyline"};
    for (const TiXmlElement* child = element->FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        const char* name = child->Value();
        if (properties == nullptr && std::strcmp(name, "properties") == 0) properties = child;
        for (int i = 0; i < 5; ++i) {
            if (shapes[i] == nullptr && std::strcmp(name, kShapeNames[i]) == 0) shapes[i] = child;
        }
    }
    if (shapes[0] != nullptr) SetShape(TmxShape::Ellipse);
    if (shapes[1] != nullptr) SetShape(TmxShape::Point);
    if (shapes[2] != nullptr) SetShape(TmxShape::Text);
    if (shapes[3] != nullptr) {
        polygon_.emplace().ReadPoints(shapes[3]);
        SetShape(TmxShape::Polygon);
    }
    if (shapes[4] != nullptr) {
        polyline_.emplace().ReadPoints(shapes[4]);
        SetShape(TmxShape::Polyline);
    }
    SetShape(shape_);
    if (properties != nullptr) properties_.ReadElement(properties);
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
    findings.push_back({object.location(), name_, object.id(),
                        TmxTemplateProblem{object.templatePath(), problem}});
}

}  // namespace tmx
