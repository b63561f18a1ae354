#pragma once

#include <QString>
#include <functional>

namespace nerin {

// What a person sees while the terminal waits for the loyalty service: the screens show a window
// with the text and a "Cancelar" key, tests may cancel on their own. The call runs in a local event
// loop, so the screen keeps painting and answering while it waits.
class EsperaServicio {
public:
    virtual ~EsperaServicio() = default;

    // The wait began; `cancelar` ends the call under way as cancelled (it may be called at most once,
    // and only before `terminar`).
    virtual void empezar(const QString& texto, std::function<void()> cancelar) = 0;
    // The wait ended, with a reply or without one.
    virtual void terminar() = 0;
};

} // namespace nerin
