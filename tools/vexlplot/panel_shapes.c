/* The primitives panel: ten framed cells, one per drawing primitive. Shapes
 * are given in percent of their cell, so the layout can change freely. */
#include "panels.h"

/* A point in percent of a cell's width and height. */
typedef struct Percent {
    int px, py;
} Percent;

static void place(Box cell, const Percent *in, WorldPointS *out, int n) {
    for (int i = 0; i < n; ++i)
        out[i] = box_at(cell, in[i].px, in[i].py);
}

/* A 4 x 4 grid of points drawn as one list, and one more point on its own in
 * red at the centre. A wider pen makes the dots visible. */
static int draw_points_cell(const Canvas *canvas, Box cell) {
    GPlot *plot = canvas->plot;
    WorldPointS grid[16];
    for (int i = 0; i < 16; ++i)
        grid[i] = box_at(cell, 10 + 80 * (i % 4) / 3, 10 + 80 * (i / 4) / 3);
    const WorldPointS centre = box_at(cell, 50, 50);
    CHECK(gplot_set_line_width(plot, 2), "setting a wide pen for points");
    CHECK(gplot_draw_points_world(plot, grid, 16), "drawing a list of points");
    CHECK(gplot_set_foreground_color(plot, canvas->colours.red), "setting red");
    CHECK(gplot_draw_point_world(plot, &centre), "drawing a point");
    return 1;
}

/* A square spiral from the centre outwards: one move, then draws. */
static int draw_move_draw_cell(const Canvas *canvas, Box cell) {
    static const Percent spiral[] = {{50, 50}, {62, 50}, {62, 64}, {36, 64}, {36, 34}, {76, 34},
                                     {76, 78}, {22, 78}, {22, 20}, {90, 20}, {90, 92}, {8, 92}};
    enum { COUNT = sizeof spiral / sizeof spiral[0] };
    WorldPointS points[COUNT];
    place(cell, spiral, points, COUNT);
    CHECK(gplot_move_to_world(canvas->plot, &points[0]), "moving to a point");
    for (int i = 1; i < COUNT; ++i)
        CHECK(gplot_draw_to_world(canvas->plot, &points[i]), "drawing to a point");
    return 1;
}

/* One diagonal line. */
static int draw_line_cell(const Canvas *canvas, Box cell) {
    const WorldPointS from = box_at(cell, 10, 10);
    const WorldPointS to = box_at(cell, 90, 90);
    CHECK(gplot_draw_line_world(canvas->plot, &from, &to), "drawing a line");
    return 1;
}

/* A zigzag poly-line. */
static int draw_poly_line_cell(const Canvas *canvas, Box cell) {
    static const Percent zigzag[] = {{5, 15},  {20, 85}, {35, 15}, {50, 85},
                                     {65, 15}, {80, 85}, {95, 15}};
    enum { COUNT = sizeof zigzag / sizeof zigzag[0] };
    WorldPointS points[COUNT];
    place(cell, zigzag, points, COUNT);
    CHECK(gplot_draw_lines_world(canvas->plot, points, COUNT), "drawing a poly-line");
    return 1;
}

/* Five separate segments of growing length. */
static int draw_segments_cell(const Canvas *canvas, Box cell) {
    WorldPointS ends[10];
    for (int i = 0; i < 5; ++i) {
        ends[2 * i] = box_at(cell, 10 + 18 * i, 10);
        ends[2 * i + 1] = box_at(cell, 10 + 18 * i, 26 + 16 * i);
    }
    CHECK(gplot_draw_segments_world(canvas->plot, ends, 5), "drawing segments");
    return 1;
}

static int draw_rectangle_cell(const Canvas *canvas, Box cell) {
    const Box shape = box_inset(cell, (cell.x2 - cell.x1) / 6, (cell.y2 - cell.y1) / 4);
    int32_t rect[4] = {shape.x1, shape.y1, shape.x2, shape.y2};
    CHECK(gplot_draw_rectangle_world(canvas->plot, rect), "drawing a rectangle");
    return 1;
}

/* Three rectangles from one list: two above, one below between them. */
static int draw_rectangles_cell(const Canvas *canvas, Box cell) {
    static const Percent corners[] = {{5, 55}, {45, 90}, {55, 55}, {95, 90}, {28, 10}, {72, 45}};
    GPlot *plot = canvas->plot;
    int32_t rects[12];
    for (int i = 0; i < 6; ++i) {
        const WorldPointS point = box_at(cell, corners[i].px, corners[i].py);
        rects[2 * i] = point.x;
        rects[2 * i + 1] = point.y;
    }
    CHECK(gplot_draw_rectangles_world(plot, rects, 3), "drawing a list of rectangles");
    return 1;
}

/* A five-pointed star as one polygon of ten corners, left open: the
 * interface closes it. */
static int draw_polygon_cell(const Canvas *canvas, Box cell) {
    const WorldPointS centre = box_at(cell, 50, 50);
    const double outer = (cell.x2 - cell.x1) * 0.48;
    WorldPointS star[10];
    for (int i = 0; i < 10; ++i)
        star[i] = polar(centre, i % 2 == 0 ? outer : outer * 0.4, 90.0 + 36.0 * i);
    CHECK(gplot_draw_polygon_world(canvas->plot, star, 10), "drawing a polygon");
    return 1;
}

/* Two triangles and a square as one list of polygons. */
static int draw_polygon_list_cell(const Canvas *canvas, Box cell) {
    static const Percent left[] = {{8, 10}, {45, 10}, {26, 45}};
    static const Percent right[] = {{55, 10}, {92, 10}, {74, 45}};
    static const Percent square[] = {{25, 55}, {75, 55}, {75, 90}, {25, 90}};
    WorldPointS left_points[3], right_points[3], square_points[4];
    place(cell, left, left_points, 3);
    place(cell, right, right_points, 3);
    place(cell, square, square_points, 4);
    WorldPolygonS list[3] = {{left_points, 3}, {right_points, 3}, {square_points, 4}};
    CHECK(gplot_draw_polygons_world(canvas->plot, list, 3), "drawing a list of polygons");
    return 1;
}

/* A rectangle from two opposite corners, given upper right first; the
 * corners are marked with red crosses. */
static int draw_rectangle2_cell(const Canvas *canvas, Box cell) {
    GPlot *plot = canvas->plot;
    WorldPointS corners[2] = {box_at(cell, 85, 80), box_at(cell, 15, 20)};
    CHECK(gplot_draw_rectangle2_world(plot, &corners[0], &corners[1]),
          "drawing a rectangle from two corners");
    CHECK(gplot_set_foreground_color(plot, canvas->colours.red), "setting red");
    CHECK(gplot_set_marker(plot, 6), "choosing the cross marker");
    CHECK(gplot_draw_markers_world(plot, corners, 2, (cell.x2 - cell.x1) / 6),
          "marking the corners");
    return 1;
}

typedef int (*CellDrawer)(const Canvas *canvas, Box cell);

static const CellDrawer cells[] = {
    draw_points_cell,       draw_move_draw_cell,  draw_line_cell,       draw_poly_line_cell,
    draw_segments_cell,     draw_rectangle_cell,  draw_rectangles_cell, draw_polygon_cell,
    draw_polygon_list_cell, draw_rectangle2_cell,
};

int draw_shapes_panel(const Canvas *canvas, Box area) {
    enum { COUNT = sizeof cells / sizeof cells[0] };
    for (int i = 0; i < COUNT; ++i) {
        const Box cell = box_column(area, i, COUNT);
        const Box inner = box_inset(cell, (cell.x2 - cell.x1) / 8, (cell.y2 - cell.y1) / 8);
        if (!draw_frame(canvas, cell) || !cells[i](canvas, inner))
            return 0;
    }
    return 1;
}
