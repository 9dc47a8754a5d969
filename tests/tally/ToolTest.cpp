#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

namespace glypharo {
namespace {

int run(const std::string& args, const test::TempFolder& folder)
{
    const std::string command
        = std::string(GLYPHARO_LZRW1_TOOL) + " " + args + " 2>" + (folder / "stderr").string();
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(Lzrw1Tool, CompressesDecompressesAndReportsFailures)
{
    test::TempFolder folder;
    const auto data = test::textBytes(70000, 4);
    test::writeBytes(folder / "a.txt", data);
    const std::string a = (folder / "a.txt").string();
    const std::string z = (folder / "a.tld").string();
    const std::string b = (folder / "b.txt").string();
    EXPECT_EQ(run("compress " + a + " " + z, folder), 0);
    EXPECT_EQ(run("decompress " + z + " " + b, folder), 0);
    EXPECT_EQ(test::readBytes(b), data);

    EXPECT_EQ(run("decompress " + a + " " + (folder / "c.txt").string(), folder), 1);
    const auto err = test::readBytes(folder / "stderr");
    EXPECT_EQ(std::string(err.begin(), err.end()),
        a + " : Lzrw1 decompression : this file has no valid header !\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "c.txt"));

    EXPECT_EQ(run("compress " + a, folder), 2);
    EXPECT_EQ(run("squeeze " + a + " " + z, folder), 2);
}

} // namespace
} // namespace glypharo
