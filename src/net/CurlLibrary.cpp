#include "CurlLibrary.h"

#include <QLibrary>
#include <QString>

namespace {
template <typename Function> bool resolve(QLibrary& library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(library.resolve(name));
    return function != nullptr;
}

CurlLibrary load() {
    CurlLibrary api;
    // The shared library's names: Linux and the BSDs (version 4 of the interface), the Windows builds.
    struct Candidate {
        const char* name;
        int version;
    };
    static const Candidate kCandidates[] = {
        {"curl", 4}, {"libcurl-x64", -1}, {"libcurl-4", -1}, {"libcurl", -1}, {"curl", -1}};
    static QLibrary library; // stays loaded for the whole run
    for (const Candidate& c : kCandidates) {
        library.setFileNameAndVersion(QLatin1String(c.name), c.version);
        if (library.load())
            break;
    }
    if (!library.isLoaded())
        return api;
    const bool all = resolve(library, "curl_global_init", api.global_init) &&
                     resolve(library, "curl_easy_init", api.easy_init) &&
                     resolve(library, "curl_easy_setopt", api.easy_setopt) &&
                     resolve(library, "curl_easy_perform", api.easy_perform) &&
                     resolve(library, "curl_easy_getinfo", api.easy_getinfo) &&
                     resolve(library, "curl_easy_cleanup", api.easy_cleanup) &&
                     resolve(library, "curl_easy_strerror", api.easy_strerror) &&
                     resolve(library, "curl_share_init", api.share_init) &&
                     resolve(library, "curl_share_setopt", api.share_setopt) &&
                     resolve(library, "curl_share_cleanup", api.share_cleanup) &&
                     resolve(library, "curl_slist_append", api.slist_append) &&
                     resolve(library, "curl_slist_free_all", api.slist_free_all);
    api.loaded = all && api.global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return api;
}
} // namespace

const CurlLibrary& CurlLibrary::get() {
    static const CurlLibrary api = load();
    return api;
}
