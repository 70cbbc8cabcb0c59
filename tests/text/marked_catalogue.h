#pragma once

#include <memory>
#include <string>

#include "text/translation.h"

namespace zelvar::testing_support {

// While it lives, a catalogue that puts `before` and `after` around every text it knows (the
// form its count asks for), so that a text joined outside the catalogue shows; it knows no text
// of the context "unknown".
class MarkedCatalogue {
  public:
    MarkedCatalogue(std::string before, std::string after) {
        installCatalogue(std::make_unique<Marking>(std::move(before), std::move(after)));
    }
    ~MarkedCatalogue() { installCatalogue(nullptr); }
    MarkedCatalogue(const MarkedCatalogue&) = delete;
    MarkedCatalogue& operator=(const MarkedCatalogue&) = delete;

  private:
    class Marking final : public Catalogue {
      public:
        Marking(std::string before, std::string after)
            : before_(std::move(before)), after_(std::move(after)) {}
        std::optional<std::string> find(std::string_view context, std::string_view msgid,
                                        std::string_view plural,
                                        std::optional<unsigned long> count) const override {
            if (context == "unknown")
                return std::nullopt;
            return before_ + std::string(count && *count != 1 ? plural : msgid) + after_;
        }

      private:
        std::string before_, after_;
    };
};

}  // namespace zelvar::testing_support
