// Draws the Brenlow logo the editor shows: 80 pixels wide, two stacked images of the same
// word mark (grey 183 for the released logo, white for the pressed one) on transparency.
// Built and run by make_logo.sh; the PNG it writes is committed under resources/.
#include <cairo.h>

#include <cstdio>

namespace
{

constexpr int kWidth = 80;
constexpr int kImageHeight = 24;
constexpr double kFontSize = 17.0;
constexpr const char* kWord = "Brenlow";

void DrawMark(cairo_t* cr, double top, double grey)
{
    cairo_set_source_rgba(cr, grey / 255.0, grey / 255.0, grey / 255.0, 1.0);
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, kFontSize);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, kWord, &extents);
    const double x = (kWidth - extents.width) / 2.0 - extents.x_bearing;
    const double baseline = top + 17.0;
    cairo_move_to(cr, x, baseline);
    cairo_show_text(cr, kWord);
    // A rule under the word, as wide as the word.
    cairo_set_line_width(cr, 2.0);
    cairo_move_to(cr, x + extents.x_bearing, top + 21.0);
    cairo_line_to(cr, x + extents.x_bearing + extents.width, top + 21.0);
    cairo_stroke(cr);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: make_logo OUTPUT.png\n");
        return 2;
    }
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, 2 * kImageHeight);
    cairo_t* cr = cairo_create(surface);
    DrawMark(cr, 0.0, 183.0);
    DrawMark(cr, kImageHeight, 255.0);
    cairo_destroy(cr);
    const cairo_status_t status = cairo_surface_write_to_png(surface, argv[1]);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS)
    {
        std::fprintf(stderr, "make_logo: %s\n", cairo_status_to_string(status));
        return 1;
    }
    return 0;
}
