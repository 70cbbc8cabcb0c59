#pragma once

#include <functional>

class QObject;

namespace zelvar {

// Runs `work` on a thread of its own, so the window goes on meanwhile, then `done` from
// `context`'s event loop. Nothing comes once `context` is gone.
void runOffThread(QObject* context, std::function<void()> work, std::function<void()> done);

}  // namespace zelvar
