// Removes, when the test program ends, every file and folder this process wrote into
// the temporary folder under its own prefix (see TempPath), so that a run leaves nothing
// behind there, whichever test wrote the file and whether or not it cleaned up itself.
#include <filesystem>
#include <string>
#include <system_error>

#include "PuzzleTestHelpers.h"

namespace {

class TempFileCleanup : public ::testing::Environment {
public:
    void TearDown() override
    {
        const std::string prefix = "puzzle_" + std::to_string(getpid()) + "_";
        std::error_code error;
        std::filesystem::directory_iterator entries(::testing::TempDir(), error);
        if (error)
            return;
        for (const std::filesystem::directory_entry& entry : entries) {
            if (entry.path().filename().string().compare(0, prefix.size(), prefix) == 0)
                std::filesystem::remove_all(entry.path(), error);
        }
    }
};

::testing::Environment* const cleanup = ::testing::AddGlobalTestEnvironment(new TempFileCleanup);

}
