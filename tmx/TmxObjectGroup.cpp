#include "TmxObjectGroup.h"

#include <cstring>

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
    ReadIntAttribute(element, "x", x_);
    ReadIntAttribute(element, "y", y_);
    ReadIntAttribute(element, "width", width_);
    ReadIntAttribute(element, "height", height_);
    ReadIntAttribute(element, "gid", gid_);
    if (gid_ != 0) shape_ = TmxShape::Tile;
    if (element->FirstChildElement("ellipse")) {
        ellipse_ =
            TmxEllipse{WrapAdd(x_, width_ / 2), WrapAdd(y_, height_ / 2), width_ / 2, height_ / 2};
        shape_ = TmxShape::Ellipse;
    }
    if (element->FirstChildElement("point")) shape_ = TmxShape::Point;
    if (element->FirstChildElement("text")) shape_ = TmxShape::Text;
    if (const TiXmlElement* polygon = element->FirstChildElement("polygon")) {
        polygon_.emplace().ReadPoints(polygon);
        shape_ = TmxShape::Polygon;
    }
    if (const TiXmlElement* polyline = element->FirstChildElement("polyline")) {
        polyline_.emplace().ReadPoints(polyline);
        shape_ = TmxShape::Polyline;
    }
    properties_.ReadFirstBlockOf(element);
}

void TmxObjectGroup::ReadElement(const TiXmlElement* element) {
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
    }
}

}  // namespace tmx
