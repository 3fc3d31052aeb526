// Encoding a tall grid rendering (2000 x 20000 pixels, 24 bits) as PNG, JPEG
// and BMP through CPicture, against calling libpng / libjpeg-turbo directly
// with the same settings. Peak memory is reported as the process's maximum
// resident set; run one benchmark at a time (--benchmark_filter) to read it
// per format.
#include "export/Picture.h"

#include <benchmark/benchmark.h>
#include <jpeglib.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>
#include <vector>

namespace
{
constexpr std::uint32_t kWidth = 2000;
constexpr std::uint32_t kHeight = 20000;

// White cells, grey grid lines, a coloured bar and text-like strokes in each row.
CPicture& GridImage()
{
    static CPicture picture;
    if (!picture.IsValid())
    {
        picture.Create(kWidth, kHeight, 24, IMAGE_TYPE_UNKNOWN);
        unsigned seed = 12345;
        for (std::uint32_t row = 0; row < kHeight; ++row)
        {
            std::uint8_t* p = picture.GetRowBits(row);
            const std::uint32_t y = kHeight - 1 - row;
            for (std::uint32_t x = 0; x < kWidth; ++x)
            {
                std::uint8_t b = 255, g = 255, r = 255;
                if (y % 22 == 0 || x % 160 == 0)
                    b = g = r = 192;
                else if (x > 40 && x < 40 + (y / 22 * 37) % 600 && y % 22 > 6 && y % 22 < 16)
                {
                    b = 200;
                    g = 120;
                    r = 40;
                }
                else if (x > 700 && (y % 22) > 5 && (y % 22) < 17)
                {
                    seed = seed * 1103515245u + 12345u;
                    if ((seed >> 16) % 7 == 0)
                        b = g = r = 0;
                }
                p[3 * x] = b;
                p[3 * x + 1] = g;
                p[3 * x + 2] = r;
            }
        }
    }
    return picture;
}

void ReportPeak(benchmark::State& state, std::size_t bytes)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["output_MiB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
}

void EncodePicture(benchmark::State& state, std::uint32_t type)
{
    CPicture& picture = GridImage();
    picture.SetQuality(90);
    std::size_t last = 0;
    for (auto _ : state)
    {
        std::uint8_t* buffer = nullptr;
        std::size_t size = 0;
        if (!picture.EncodeToMemory(buffer, size, type))
            state.SkipWithError(picture.GetLastError());
        benchmark::DoNotOptimize(buffer);
        std::free(buffer);
        last = size;
    }
    ReportPeak(state, last);
}

void BM_PicturePng(benchmark::State& state)
{
    EncodePicture(state, IMAGE_TYPE_PNG);
}
void BM_PictureJpeg(benchmark::State& state)
{
    EncodePicture(state, IMAGE_TYPE_JPEG);
}
void BM_PictureBmp(benchmark::State& state)
{
    EncodePicture(state, IMAGE_TYPE_BMP);
}

// --- The same work straight through the libraries -------------------------

void AppendPng(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void BM_DirectPng(benchmark::State& state)
{
    CPicture& picture = GridImage();
    std::size_t last = 0;
    for (auto _ : state)
    {
        std::vector<std::uint8_t> out;
        out.reserve(8u << 20);
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        if (setjmp(png_jmpbuf(png)))
        {
            state.SkipWithError("libpng failed");
            break;
        }
        png_set_write_fn(png, &out, AppendPng, nullptr);
        png_color_16 background{};
        background.red = background.green = background.blue = 255;
        png_set_bKGD(png, info, &background);
        png_set_pHYs(png, info, 3780, 3780, PNG_RESOLUTION_METER);
        png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
        png_write_info(png, info);
        png_set_bgr(png);
        for (std::uint32_t y = kHeight; y-- > 0;)
            png_write_row(png, picture.GetRowBits(y));
        png_write_end(png, info);
        png_destroy_write_struct(&png, &info);
        last = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    ReportPeak(state, last);
}

// A 4096-byte block destination appending to a vector, as a direct caller
// would write it; reserved up front, so only the library's own work is timed.
struct SVectorDestination
{
    jpeg_destination_mgr pub;
    std::vector<std::uint8_t>* out;
    JOCTET block[4096];
};

void InitVector(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<SVectorDestination*>(cinfo->dest);
    dest->pub.next_output_byte = dest->block;
    dest->pub.free_in_buffer = sizeof(dest->block);
}

boolean EmptyVector(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<SVectorDestination*>(cinfo->dest);
    dest->out->insert(dest->out->end(), dest->block, dest->block + sizeof(dest->block));
    InitVector(cinfo);
    return TRUE;
}

void TermVector(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<SVectorDestination*>(cinfo->dest);
    dest->out->insert(dest->out->end(), dest->block,
                      dest->block + (sizeof(dest->block) - dest->pub.free_in_buffer));
}

void BM_DirectJpeg(benchmark::State& state)
{
    CPicture& picture = GridImage();
    std::size_t last = 0;
    for (auto _ : state)
    {
        jpeg_compress_struct cinfo;
        jpeg_error_mgr err;
        cinfo.err = jpeg_std_error(&err);
        jpeg_create_compress(&cinfo);
        std::vector<std::uint8_t> out;
        out.reserve(24u << 20); // no regrowth: only the coding is compared
        SVectorDestination dest;
        dest.pub.init_destination = InitVector;
        dest.pub.empty_output_buffer = EmptyVector;
        dest.pub.term_destination = TermVector;
        dest.out = &out;
        cinfo.dest = &dest.pub;
        cinfo.image_width = kWidth;
        cinfo.image_height = kHeight;
        cinfo.input_components = 3;
        cinfo.in_color_space = JCS_RGB;
        jpeg_set_defaults(&cinfo);
        jpeg_set_quality(&cinfo, 90, FALSE);
        cinfo.comp_info[0].h_samp_factor = cinfo.comp_info[0].v_samp_factor = 2;
        cinfo.density_unit = 1;
        cinfo.X_density = cinfo.Y_density = 96;
        jpeg_start_compress(&cinfo, TRUE);
        std::vector<std::uint8_t> rgb(3 * kWidth);
        while (cinfo.next_scanline < cinfo.image_height)
        {
            const std::uint8_t* bgr = picture.GetRowBits(kHeight - 1 - cinfo.next_scanline);
            for (std::uint32_t x = 0; x < 3 * kWidth; x += 3)
            {
                rgb[x] = bgr[x + 2];
                rgb[x + 1] = bgr[x + 1];
                rgb[x + 2] = bgr[x];
            }
            JSAMPROW row = rgb.data();
            jpeg_write_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_compress(&cinfo);
        jpeg_destroy_compress(&cinfo);
        last = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    ReportPeak(state, last);
}

// BMP without our classes: the file header and the DIB block copied into one buffer.
void BM_DirectBmp(benchmark::State& state)
{
    CPicture& picture = GridImage();
    const std::uint8_t* block = picture.GetRowBits(0) - 40;
    std::size_t last = 0;
    for (auto _ : state)
    {
        const std::size_t size = 14 + picture.GetSize();
        auto* out = static_cast<std::uint8_t*>(std::malloc(size));
        std::memset(out, 0, 14);
        out[0] = 'B';
        out[1] = 'M';
        std::memcpy(out + 14, block, picture.GetSize());
        benchmark::DoNotOptimize(out);
        std::free(out);
        last = size;
    }
    ReportPeak(state, last);
}
} // namespace

BENCHMARK(BM_PicturePng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DirectPng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PictureJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DirectJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PictureBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DirectBmp)->Unit(benchmark::kMillisecond);
