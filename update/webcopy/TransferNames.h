// Names taken from download URLs, local target paths and request headers.
#pragma once

#include <string>
#include <string_view>

namespace quirel::webcopy {

// The text after the URL's last "/" or "\" (the whole URL when it has neither).
std::wstring UrlFileName(std::wstring_view url);

// Host, or host and port: the URL without its scheme up to "://", without credentials up to
// an "@" before the first "/", cut before its first "/".
std::wstring UrlServer(std::wstring_view url);

// %XX escapes decoded (the bytes read as UTF-8, else in the ANSI code page). Escapes of
// characters a file name cannot hold ("\", "/", ":" and the like) stay as they are, so that a
// decoded name never reaches outside its folder.
std::wstring DecodeUrlFileName(std::wstring_view name);

// The name alone when dir is empty, dir + name when dir ends with "\", else dir + "\" + name.
std::wstring JoinTargetPath(const std::wstring& dir, const std::wstring& name);

// "(" + n + ")" inserted before the extension of the path's file name.
std::wstring NumberedFileName(const std::wstring& path, int n);

// The folder part of a path, without its trailing "\" ("" for a bare name).
std::wstring FolderOf(const std::wstring& path);

std::string Base64(std::string_view bytes);

// The extra request headers, each line ending in CR LF and the block in a blank line; empty
// when there is nothing to send. Server credentials when a user or a password is set; proxy
// credentials when both are set and the request goes to the proxy in the clear (an "http://"
// URL), as a tunnelled request would carry them to the server itself.
std::wstring RequestHeaders(std::wstring_view url, const std::wstring& user, const std::wstring& password,
                            bool viaProxy, const std::wstring& proxyUser, const std::wstring& proxyPassword);

}  // namespace quirel::webcopy
