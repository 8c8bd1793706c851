// libpng, a reader of its own, gets back the pixels the writer was given.
#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <vector>

#include "support/temp_dir.h"
#include "vexlplot/png_writer.h"

namespace {

TEST(PngReading, LibpngReadsThePixelsBack) {
    const vexl::test::TempDir dir;
    for (const uint32_t width : {1u, 97u, 640u}) {
        const uint32_t height = 480 / width + 3;
        std::vector<uint8_t> rgb(3 * width * height);
        for (std::size_t i = 0; i < rgb.size(); ++i)
            rgb[i] = static_cast<uint8_t>(i * 31 + i / 7);
        const std::string path = dir.file("libpng.png");
        FILE *stream = std::fopen(path.c_str(), "wb");
        ASSERT_NE(stream, nullptr);
        EXPECT_EQ(png_write_rgb(stream, rgb.data(), width, height, 3 * width), 1);
        ASSERT_EQ(std::fclose(stream), 0);

        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << image.message;
        EXPECT_EQ(image.width, width);
        EXPECT_EQ(image.height, height);
        image.format = PNG_FORMAT_RGB;
        std::vector<uint8_t> read(PNG_IMAGE_SIZE(image));
        ASSERT_TRUE(png_image_finish_read(&image, nullptr, read.data(), 0, nullptr))
            << image.message;
        EXPECT_TRUE(read == rgb) << width << " x " << height;
    }
}

} // namespace
