#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace zelvar::testing_support {

// The file a Save writes right after start.
inline constexpr std::string_view kDefaultCfg =
    "\"1\",\"200\",\"08\",0,\">\",0\r\n"
    "\"0480\"\r\n\"0360\"\r\n\"250\"\r\n\"180\"\r\n\"130\"\r\n\"110\"\r\n\"090\"\r\n"
    "\"0600\",3,\"025\",\"NOCALL-9\",\"WIDE1-1,WIDE2-2\",\"Zelvar, version 4.0 - by QX9ABC "
    "Pim\",\"NOCALL\",\"Message sent using Zelvar, version 4.0\"\r\n"
    "\"00.00.00\",\"00.00.00\",1,\"0\",0,#FALSE#\r\n"
    "\"Msg received,i will reply soon\"\r\n"
    "0\r\n";

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder {
  public:
    TempFolder() {
        std::string pattern = std::filesystem::temp_directory_path() / "zelvar-test-XXXXXX";
        path_ = mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    std::filesystem::path write(const std::string& name, std::string_view bytes) const {
        std::filesystem::path file = path_ / name;
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }

    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            found.push_back(entry.path().filename());
        std::sort(found.begin(), found.end());
        return found;
    }

  private:
    std::filesystem::path path_;
};

inline std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace zelvar::testing_support
