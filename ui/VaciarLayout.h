#pragma once

class QLayout;

namespace nerin {

// Takes every item out of the layout. Its widgets are hidden at once and deleted once the event
// loop comes back, so that a page of keys can be rebuilt from inside one of its own keys' clicks.
void vaciarLayout(QLayout* layout);

} // namespace nerin
