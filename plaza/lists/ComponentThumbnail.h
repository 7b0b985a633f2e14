#pragma once

#include <QIcon>

#include <string>

namespace vela {

class UrlImageProvider;

// The thumbnail icon both list models show for a component's thumbnail key.
class ComponentThumbnail
{
public:
    // The stored thumbnail when it is on disk; otherwise asks `provider` for it
    // and answers the default picture until it arrives.
    static QIcon Resolve(UrlImageProvider* provider, const std::wstring& key);
};

} // namespace vela
