#include "converter/findings/FindingKey.h"

#include "converter/findings/FindingText.h"
#include "converter/text/Escape.h"

std::string FindingKey(const std::string& mapPath, const Finding& finding) {
    using Element = FindingSubject::Element;
    const FindingSubject& about = finding.about;
    std::string element;
    switch (about.element) {
        case Element::Object:
            // An object by its id; one without (a map written by hand) by its name.
            element = "object " +
                      (about.objectId != 0 ? std::to_string(about.objectId)
                                           : "\"" + about.objectName + "\"") +
                      " in \"" + about.layer + "\"";
            break;
        case Element::ZoneLine:
            // A zone script's line has nothing to hold it by but what it says.
            element = "line " + FindingText(finding);
            break;
        case Element::Layer:
        case Element::ObjectGroup:
        case Element::Group:
        case Element::Tileset:
            element = ElementWords(about);
            break;
        case Element::Map:
        case Element::Property:
            element = "the map";
            break;
    }
    return VisibleText(mapPath) + "\t" + KindName(finding.what) + "\t" + VisibleText(element);
}
