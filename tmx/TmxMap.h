#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "TmxProperties.h"

class TiXmlElement;

namespace tmx {

enum class TmxOrientation : int32_t { Orthogonal = 1, Isometric = 2, Staggered = 3 };

// Why a load failed. One load records at most one of them.
enum class TmxLoadError : uint8_t {
    None = 0,
    OpenFailed = 0x01,
    XmlParseFailed = 0x02,
    BadFileSize = 0x04,
};

// The root of the map model: the `map` element's attributes and properties.
// A load never prints or throws on bad input; it records what went wrong in
// failed() / errorCode() / errorMessage() and leaves the model as far as it got.
class TmxMap {
public:
    TmxMap() = default;
    // Layers keep a pointer back to their map, so a map stays where it was built.
    TmxMap(const TmxMap&) = delete;
    TmxMap& operator=(const TmxMap&) = delete;

    void LoadFromFile(const std::string& path);
    void LoadFromText(const std::string& text);

    const std::string& sourcePath() const { return sourcePath_; }
    const std::string& directory() const { return directory_; }
    double version() const { return version_; }
    TmxOrientation orientation() const { return orientation_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    int32_t tileWidth() const { return tileWidth_; }
    int32_t tileHeight() const { return tileHeight_; }
    bool failed() const { return failed_; }
    TmxLoadError errorCode() const { return errorCode_; }
    const std::string& errorMessage() const { return errorMessage_; }
    const TmxProperties& properties() const { return properties_; }

private:
    void RecordError(TmxLoadError code, std::string message);
    void ReadMapElement(const TiXmlElement* mapElement);

    std::string sourcePath_;
    std::string directory_;
    double version_ = 0.0;
    TmxOrientation orientation_ = TmxOrientation::Orthogonal;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t tileWidth_ = 0;
    int32_t tileHeight_ = 0;
    bool failed_ = false;
    TmxLoadError errorCode_ = TmxLoadError::None;
    std::string errorMessage_;
    TmxProperties properties_;
};

}  // namespace tmx
