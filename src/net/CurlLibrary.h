#pragma once

#include <curl/curl.h>

// libcurl, loaded when the first transfer needs it: a program run that downloads nothing (an import, a
// calculation) does not pay for loading libcurl and the TLS, Kerberos and LDAP libraries behind it.
struct CurlLibrary {
    CURLcode (*global_init)(long flags) = nullptr;
    CURL* (*easy_init)() = nullptr;
    CURLcode (*easy_setopt)(CURL* handle, CURLoption option, ...) = nullptr;
    CURLcode (*easy_perform)(CURL* handle) = nullptr;
    CURLcode (*easy_getinfo)(CURL* handle, CURLINFO info, ...) = nullptr;
    void (*easy_cleanup)(CURL* handle) = nullptr;
    const char* (*easy_strerror)(CURLcode code) = nullptr;
    CURLSH* (*share_init)() = nullptr;
    CURLSHcode (*share_setopt)(CURLSH* share, CURLSHoption option, ...) = nullptr;
    CURLSHcode (*share_cleanup)(CURLSH* share) = nullptr;
    curl_slist* (*slist_append)(curl_slist* list, const char* text) = nullptr;
    void (*slist_free_all)(curl_slist* list) = nullptr;
    bool loaded = false;

    // Loaded and initialised once, thread-safe; `loaded` is false when no libcurl could be found.
    static const CurlLibrary& get();
};
