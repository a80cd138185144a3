// Feeds every file of the folders (or the files) given to the fuzz target it
// is linked with, the way libFuzzer would: a plain executable, so every build
// checks the committed seeds without libFuzzer. Fails when no file was fed,
// so a corpus that went missing does not pass quietly.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {
std::vector<std::filesystem::path> inputsOf(const char *argument)
{
    std::vector<std::filesystem::path> inputs;
    const std::filesystem::path path(argument);
    if (!std::filesystem::is_directory(path))
        return {path};
    for (const auto &entry : std::filesystem::directory_iterator(path))
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
            inputs.push_back(entry.path());
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}
} // namespace

int main(int argc, char *argv[])
{
    int fed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const std::filesystem::path &input : inputsOf(argv[i])) {
            std::ifstream file(input, std::ios::binary);
            if (!file) {
                std::fprintf(stderr, "cannot read %s\n", input.c_str());
                return 1;
            }
            const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            std::fprintf(stderr, "replaying %s (%zu bytes)\n", input.c_str(), bytes.size());
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
            ++fed;
        }
    }
    std::printf("%d inputs replayed without a fault\n", fed);
    return fed > 0 ? 0 : 1;
}
