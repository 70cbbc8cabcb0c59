#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
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

// `text`, the factory file unless given, with its first `from` replaced by `to`.
inline std::string edited(std::string_view from, std::string_view to,
                          std::string text = std::string(kDefaultCfg)) {
    return text.replace(text.find(from), from.size(), to);
}

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

inline constexpr uid_t kNobody = 65534;

// Runs `work` in a child process as the user nobody; its exit status, or -1 when killed.
inline int asNobody(const std::function<int()>& work) {
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
        ::_exit(dropped ? work() : 99);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace zelvar::testing_support
