// glypharo-lzrw1 compress|decompress IN OUT
//
// The tally file's compressor on the command line, so a tally kept aside as
// "Glypharotally.tld.bad" can be opened and mended by hand.
#include "tally/Tlzrw1.h"

#include <exception>
#include <iostream>
#include <string>

namespace {

constexpr const char* kUsage = "usage: glypharo-lzrw1 compress IN OUT\n"
                               "       glypharo-lzrw1 decompress IN OUT\n";

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    const std::string command = argc > 1 ? argv[1] : "";
    if (argc != 4 || (command != "compress" && command != "decompress")) {
        std::cerr << kUsage;
        return 2;
    }
    glypharo::Tlzrw1 codec;
    codec.setCompressMode(glypharo::TCompressMode::Fast);
    codec.setInputFile(argv[2]);
    codec.setOutputFile(argv[3]);
    try {
        if (command == "compress") {
            codec.Compress();
        } else {
            codec.Decompress();
        }
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 0;
}
