#pragma once

namespace MGraphX {

// Base of the image planes: integer raster drawing that reaches pixels only through the virtual
// setPixel and pixel, so it draws on every plane class and on any subclass that overrides the two.
// The virtual functions keep the order in which subclasses expect them.
class GraphX
{
public:
    GraphX() = default;
    GraphX(const GraphX &) = default;
    GraphX &operator=(const GraphX &) = default;
    virtual ~GraphX();

    virtual void setPixel(int x, int y, int value);
    virtual int pixel(int x, int y) const;
    // Values shared by every object of a class; nothing sets them, so they read 0 and false.
    virtual int classValue() const;
    virtual int classValue2() const;
    virtual bool classFlag() const;
    // Calls hookPair with copies of the object's two hook integers.
    virtual void dispatchHooks();
    // Points where subclasses can attach work; they do nothing here.
    virtual void hookPair(int &first, int &second);
    virtual void hookQuad(int a, int b, int c, int d);
    virtual void hookSingle(int a);
    virtual void hookSingle2(int a);
    virtual void hookSix(int a, int b, int c, int d, int e, int f);
    // The drawable area; floodFill stays inside it. A GraphX that knows no size has none.
    virtual int width() const;
    virtual int height() const;

    void drawLine(int x0, int y0, int x1, int y1, int value);
    // Pixels x0 .. x1 - 1 on row y.
    void drawHLine(int x0, int x1, int y, int value);
    // Pixels y0 .. y1 - 1 in column x.
    void drawVLine(int y0, int y1, int x, int value);
    // A closed outline of w x h pixels; nothing inside is touched.
    void drawRect(int x, int y, int w, int h, int value);
    void fillRect(int x, int y, int w, int h, int value);
    void fillCircle(int cx, int cy, int r, int value);
    void drawCircle(int cx, int cy, int r, int value);
    void fillEllipse(int cx, int cy, int rx, int ry, int value);
    void drawEllipse(int cx, int cy, int rx, int ry, int value);
    // Fills the 4-connected region of the seed's value inside width() x height().
    void floodFill(int x, int y, int value);
};

} // namespace MGraphX
