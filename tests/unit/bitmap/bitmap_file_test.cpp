// ReadBitmapFile: which files give a message and which give none, binary reading, and small
// files written by a real encoder (ImageMagick 6) with their known colours.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "bitmap/bitmap_reader.h"
#include "bmp_builder.h"

namespace {

struct MessageRecorder {
    std::vector<std::string> messages;
    BitmapMessageSink Sink() {
        return [this](const std::string& text) { messages.push_back(text); };
    }
};

class TempFile {
  public:
    TempFile(const std::string& name, const std::vector<std::uint8_t>& bytes)
        : path_(::testing::TempDir() + name) {
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        if (file == nullptr) {
            return;
        }
        if (!bytes.empty()) {
            std::fwrite(bytes.data(), 1, bytes.size(), file);
        }
        std::fclose(file);
    }
    ~TempFile() { std::remove(path_.c_str()); }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

TEST(ReadBitmapFileTest, AFileThatCannotBeOpenedGivesNoneSilently) {
    MessageRecorder recorder;
    for (const std::string& path : {std::string(), ::testing::TempDir() + "no-such-snapshot.bmp"}) {
        EXPECT_EQ(ReadBitmapFile(path, recorder.Sink()).failure, BitmapFailure::kCannotOpen);
    }
    EXPECT_TRUE(recorder.messages.empty());
}

TEST(ReadBitmapFileTest, AnEmptyFileOpensButCannotBeReadAndItsMessageNamesThePath) {
    const TempFile empty("vorlenta-empty.bmp", {});
    MessageRecorder recorder;
    EXPECT_EQ(ReadBitmapFile(empty.Path(), recorder.Sink()).failure, BitmapFailure::kCannotRead);
    EXPECT_EQ(std::vector<std::string>{"Failed to open DIB file " + empty.Path() + ".\n"},
              recorder.messages);
}

TEST(ReadBitmapFileTest, ReadsInBinaryModeSoLineEndsAndEndOfFileBytesSurvive) {
    // Text mode on Windows would drop the 0x0D of CR LF and stop at 0x1A.
    bmp_test::BmpSpec spec;
    spec.width = 4;
    spec.height = 1;
    spec.pixels = {0x0D, 0x0A, 0x1A, 0x0D, 0x0A, 0x0A, 0x1A, 0x1A, 0x0D, 0x00, 0x0D, 0x0A};
    const TempFile file("vorlenta-binary.bmp", bmp_test::BuildBmp(spec));
    MessageRecorder recorder;

    const BitmapDecodeResult result = ReadBitmapFile(file.Path(), recorder.Sink());

    ASSERT_TRUE(result.image.has_value());
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ((std::vector<std::uint8_t>{0x1A, 0x0A, 0x0D, 0x0A, 0x0A, 0x0D, 0x0D, 0x1A, 0x1A, 0x0A,
                                         0x0D, 0x00}),
              result.image->pixels);
}

TEST(BitmapMessageTest, EveryReasonOfTheDecoderShowsItsMessageAndAnUnopenedFileNone) {
    const std::string conversion = "Image file conversion error.";
    const std::pair<BitmapFailure, std::string> cases[] = {
        {BitmapFailure::kNone, ""},
        {BitmapFailure::kCannotOpen, ""},
        {BitmapFailure::kOutOfMemory, "Out of memory."},
        {BitmapFailure::kUnknownHeader, "Unknown DIB file format."},
        {BitmapFailure::kFileTooShort, conversion},
        {BitmapFailure::kImpossibleSize, conversion},
        {BitmapFailure::kUnsupportedFormat, conversion},
        {BitmapFailure::kBadMasks, conversion},
        {BitmapFailure::kIndexPastPalette, conversion},
        {BitmapFailure::kRunOutsidePicture, conversion},
    };
    for (const auto& [failure, message] : cases) {
        EXPECT_EQ(BitmapMessage(failure, "desk.bmp"), message) << static_cast<int>(failure);
    }
}

std::string DataFile(const char* name) {
    return std::string(VORLENTA_BITMAP_DATA) + "/" + name;
}

// The pictures the encoder was given, 7 x 5, with y counted from the top.
std::uint32_t SixColourPattern(int x, int yFromTop) {
    static const std::uint32_t colours[] = {0xE71008, 0x08F718, 0x1810EF,
                                            0xF7EF00, 0xFFFFFF, 0x000000};
    return colours[(x + 2 * yFromTop) % 6];
}

std::uint32_t TwentyColourPattern(int x, int yFromTop) {
    const std::uint32_t i = static_cast<std::uint32_t>(x / 2 + 4 * yFromTop);
    return (i * 53 % 256) << 16 | ((i * 101 + 40) % 256) << 8 | ((255 + 256 * 37 - i * 37) % 256);
}

std::uint32_t BlackAndWhitePattern(int x, int yFromTop) {
    return (x + yFromTop) % 3 == 0 ? 0xFFFFFF : 0x000000;
}

struct EncoderFile {
    const char* name;
    std::uint32_t (*pattern)(int x, int yFromTop);
};

class EncoderFileTest : public ::testing::TestWithParam<EncoderFile> {};

TEST_P(EncoderFileTest, DecodesToTheColoursTheEncoderWasGiven) {
    MessageRecorder recorder;
    const BitmapDecodeResult result = ReadBitmapFile(DataFile(GetParam().name), recorder.Sink());

    ASSERT_TRUE(result.image.has_value()) << static_cast<int>(result.failure);
    EXPECT_TRUE(bmp_test::HasPixels(*result.image, 7, 5,
                                    [](int x, int y) { return GetParam().pattern(x, 4 - y); }));
}

INSTANTIATE_TEST_SUITE_P(ImageMagick, EncoderFileTest,
                         ::testing::Values(EncoderFile{"rgb24.bmp", SixColourPattern},
                                           EncoderFile{"core24.bmp", SixColourPattern},
                                           EncoderFile{"core4.bmp", SixColourPattern},
                                           EncoderFile{"palette4.bmp", SixColourPattern},
                                           EncoderFile{"palette8.bmp", TwentyColourPattern},
                                           EncoderFile{"rle8.bmp", TwentyColourPattern},
                                           EncoderFile{"mono1.bmp", BlackAndWhitePattern}),
                         [](const ::testing::TestParamInfo<EncoderFile>& info) {
                             const std::string name = info.param.name;
                             return name.substr(0, name.find('.'));
                         });

TEST(EncoderFileRefusalTest, AVersion5HeaderIsAnUnknownFormatShownOnce) {
    MessageRecorder recorder;
    EXPECT_EQ(ReadBitmapFile(DataFile("v5_rgb565.bmp"), recorder.Sink()).failure,
              BitmapFailure::kUnknownHeader);
    EXPECT_EQ(std::vector<std::string>{"Unknown DIB file format."}, recorder.messages);
}

}  // namespace
