#include "CBitmap.h"
#include "COffscreenContext.h"
#include "ResourceFolder.h"

#include "RecordingListener.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <fstream>
#include <string>
#include <sys/stat.h>

using namespace VSTGUI;

namespace
{
// A resource folder with a 4 x 8 image: red on top, green below. Each test has its own,
// since tests may run in parallel.
std::string makeResources(const std::string& name)
{
    const std::string dir = std::string(ORV_TOOLKIT_TEST_TMP) + "/" + name;
    mkdir(dir.c_str(), 0755);
    ImageSurface image(4, 8);
    cairo_t* cr = cairo_create(image.getCairoSurface());
    cairo_set_source_rgb(cr, 1, 0, 0);
    cairo_rectangle(cr, 0, 0, 4, 4);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0, 1, 0);
    cairo_rectangle(cr, 0, 4, 4, 4);
    cairo_fill(cr);
    cairo_destroy(cr);
    EXPECT_TRUE(image.savePNG(dir + "/logo.png"));
    EXPECT_TRUE(image.savePNG(dir + "/bmp00007.png"));
    std::ofstream(dir + "/broken.png") << "not a PNG at all";
    return dir;
}
} // namespace

TEST(CBitmap, LoadsPngResourcesFromTheResourceFolder)
{
    setResourceFolder(makeResources("bitmap_loaded"));
    CBitmap* logo = new CBitmap(CResourceDescription("logo.png"));
    EXPECT_TRUE(logo->isLoaded());
    EXPECT_EQ(logo->getWidth(), 4);
    EXPECT_EQ(logo->getHeight(), 8);
    EXPECT_EQ(logo->getResourceDescription().getName(), "logo.png");

    // The lower sub-image through an offset, as a two-state button draws it.
    COffscreenContext* context = COffscreenContext::create(nullptr, 10, 10);
    logo->draw(context, CRect(2, 2, 6, 6), CPoint(0, 4));
    EXPECT_EQ(context->getPixel(2, 2), kGreenCColor);
    EXPECT_EQ(context->getPixel(5, 5), kGreenCColor);
    EXPECT_EQ(context->getPixel(6, 6).alpha, 0) << "nothing outside the rectangle";
    logo->draw(context, CRect(6, 0, 10, 4));
    EXPECT_EQ(context->getPixel(7, 1), kRedCColor);
    context->forget();
    logo->forget();

    CBitmap* numbered = new CBitmap(CResourceDescription(7));
    EXPECT_EQ(numbered->getHeight(), 8) << "numbers name bmpNNNNN.png";
    numbered->forget();
}

TEST(CBitmap, MissingUnreadableOrEscapingResourcesGiveAnEmptyBitmap)
{
    setResourceFolder(makeResources("bitmap_missing"));
    for (const char* name :
         {"absent.png", "broken.png", "../bitmap_loaded/logo.png", "/etc/passwd", ""})
    {
        CBitmap bitmap{CResourceDescription(name)};
        EXPECT_FALSE(bitmap.isLoaded()) << name;
        EXPECT_EQ(bitmap.getWidth(), 0) << name;
        EXPECT_EQ(bitmap.getHeight(), 0) << name;
    }
    CBitmap nameless{CResourceDescription(static_cast<const char*>(nullptr))};
    EXPECT_FALSE(nameless.isLoaded());

    setResourceFolder("");
    CBitmap unset{CResourceDescription("logo.png")};
    EXPECT_FALSE(unset.isLoaded()) << "no folder set: nothing is looked up";

    // Drawing an empty bitmap is harmless.
    COffscreenContext* context = COffscreenContext::create(nullptr, 4, 4);
    unset.draw(context, CRect(0, 0, 4, 4));
    EXPECT_EQ(context->getPixel(1, 1).alpha, 0);
    context->forget();
}
