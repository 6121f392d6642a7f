// The seam between libstrophe's stanzas and the lobby's payload readers and
// writers: a child element of ours as plain attribute pairs, and back.
#pragma once

#include <strophe.h>

#include "frontend/lobby/element_attributes.h"

namespace lobby {

// The attributes of stanza's first child element named name in the lobby's
// namespace, or nothing when it has none. The namespace declaration itself
// is not among the attributes.
std::optional<ElementAttributes> ReadLobbyChild(xmpp_stanza_t* stanza, const char* name);

// A new element of ours with these attributes, for the caller to add to a
// stanza and release.
xmpp_stanza_t* NewLobbyElement(xmpp_ctx_t* ctx, const char* name, const ElementAttributes& attributes);

// Adds child to parent and gives up the caller's reference, so that the
// child lives exactly as long as the parent.
void AdoptChild(xmpp_stanza_t* parent, xmpp_stanza_t* child);

// A new element named name (in namespace ns unless null) added as parent's
// last child; parent owns it.
xmpp_stanza_t* NewChildElement(xmpp_stanza_t* parent, const char* name, const char* ns = nullptr);

}  // namespace lobby
