#pragma once

#include <functional>
#include <string>

class QObject;

namespace zelvar {

// Runs `work` on a thread of its own, so the window goes on meanwhile, and hands its text to
// `done` from `context`'s event loop. Nothing comes once `context` is gone.
void runOffThread(QObject* context, std::function<std::string()> work,
                  std::function<void(const std::string&)> done);

}  // namespace zelvar
