#include "converter/workspace/NamePattern.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <memory>

#include "converter/text/Escape.h"

namespace {

// PCRE2's objects, freed however the matching ends.
struct FreeCode {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct FreeCompileContext {
    void operator()(pcre2_compile_context* context) const { pcre2_compile_context_free(context); }
};
struct FreeMatchContext {
    void operator()(pcre2_match_context* context) const { pcre2_match_context_free(context); }
};
struct FreeMatchData {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};

std::string MessageOf(int error) {
    PCRE2_UCHAR message[256];
    if (pcre2_get_error_message(error, message, sizeof message) < 0) {
        return "error " + std::to_string(error);
    }
    return reinterpret_cast<const char*>(message);
}

// A name as Tiled matches it: the file system's bytes read as UTF-8, each
// byte that is none as U+FFFD, which "." matches as it matches any letter.
const std::string& AsTiledReadsIt(const std::string& name, std::string& spare) {
    size_t at = 0;
    while (at < name.size() && Utf8Length(name, at) != 0)
        at += Utf8Length(name, at);
    if (at == name.size()) return name;
    spare.assign(name, 0, at);
    while (at < name.size()) {
        const size_t length = Utf8Length(name, at);
        spare.append(length == 0 ? "\xEF\xBF\xBD" : name.substr(at, length));
        at += length == 0 ? 1 : length;
    }
    return spare;
}

}  // namespace

NamesMatched NamesMatching(const std::string& pattern, const std::vector<std::string>& names) {
    NamesMatched result;
    const std::unique_ptr<pcre2_compile_context, FreeCompileContext> compiling(
        pcre2_compile_context_create(nullptr));
    const std::unique_ptr<pcre2_match_context, FreeMatchContext> matching(
        pcre2_match_context_create(nullptr));
    if (!compiling || !matching) {
        result.problem = "there is not enough memory to compile it";
        return result;
    }
    pcre2_set_max_pattern_length(compiling.get(), kPatternMaxLength);
    pcre2_set_parens_nest_limit(compiling.get(), kPatternMaxNesting);
    pcre2_set_match_limit(matching.get(), kMatchSteps);
    pcre2_set_depth_limit(matching.get(), kMatchDepth);
    pcre2_set_heap_limit(matching.get(), kMatchHeapKiB);

    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    const std::unique_ptr<pcre2_code, FreeCode> code(
        pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), PCRE2_UTF,
                      &error, &errorOffset, compiling.get()));
    if (!code) {
        result.problem = MessageOf(error);
        result.offset = errorOffset;
        return result;
    }
    const std::unique_ptr<pcre2_match_data, FreeMatchData> data(
        pcre2_match_data_create_from_pattern(code.get(), nullptr));
    if (!data) {
        result.problem = "there is not enough memory to match it";
        return result;
    }
    std::string spare;
    for (const std::string& name : names) {
        // The whole name, from its start to its end.
        const std::string& read = AsTiledReadsIt(name, spare);
        const int matched =
            pcre2_match(code.get(), reinterpret_cast<PCRE2_SPTR>(read.data()), read.size(), 0,
                        PCRE2_ANCHORED | PCRE2_ENDANCHORED, data.get(), matching.get());
        if (matched >= 0) {
            result.names.push_back(name);
        } else if (matched != PCRE2_ERROR_NOMATCH) {
            // A limit: the pattern takes no name, as one that may take years
            // on the next would not be a pattern a world can rely on.
            result.names.clear();
            result.problem = MessageOf(matched);
            result.tooCostlyOn = name;
            return result;
        }
    }
    return result;
}
