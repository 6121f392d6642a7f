#include "frontend/lobby/stanza_attributes.h"

#include <vector>

#include "frontend/lobby/lobby_protocol.h"

namespace lobby {

std::optional<ElementAttributes> ReadLobbyChild(xmpp_stanza_t* stanza, const char* name) {
    xmpp_stanza_t* child = xmpp_stanza_get_child_by_name_and_ns(stanza, name, kNamespace);
    if (!child) return std::nullopt;
    const int count = xmpp_stanza_get_attribute_count(child);
    std::vector<const char*> pairs(static_cast<size_t>(count) * 2);
    const int filled = xmpp_stanza_get_attributes(child, pairs.data(), static_cast<int>(pairs.size()));
    ElementAttributes attributes;
    for (int i = 0; i + 1 < filled; i += 2) {
        const std::string key = pairs[static_cast<size_t>(i)];
        if (key == "xmlns") continue;
        attributes.emplace(key, pairs[static_cast<size_t>(i) + 1]);
    }
    return attributes;
}

xmpp_stanza_t* NewLobbyElement(xmpp_ctx_t* ctx, const char* name, const ElementAttributes& attributes) {
    xmpp_stanza_t* element = xmpp_stanza_new(ctx);
    xmpp_stanza_set_name(element, name);
    xmpp_stanza_set_ns(element, kNamespace);
    for (const auto& [key, value] : attributes) xmpp_stanza_set_attribute(element, key.c_str(), value.c_str());
    return element;
}

void AdoptChild(xmpp_stanza_t* parent, xmpp_stanza_t* child) {
    xmpp_stanza_add_child(parent, child);
    xmpp_stanza_release(child);
}

xmpp_stanza_t* NewChildElement(xmpp_stanza_t* parent, const char* name, const char* ns) {
    xmpp_stanza_t* element = xmpp_stanza_new(xmpp_stanza_get_context(parent));
    xmpp_stanza_set_name(element, name);
    if (ns) xmpp_stanza_set_ns(element, ns);
    AdoptChild(parent, element);
    return element;
}

}  // namespace lobby
