#include "platform/x11_root_installer.h"

// Qt first: the X11 headers define macros (None, Status, Bool) that clash
// with Qt's own names.
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdlib>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace murva {
namespace {

// Reads a pixmap id stored in a root-window property, or None.
Pixmap ReadPixmapProperty(Display* display, Window root, Atom atom) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  Pixmap pixmap = None;
  if (XGetWindowProperty(display, root, atom, 0, 1, False, AnyPropertyType, &type, &format,
                         &count, &remaining, &data) == Success &&
      type == XA_PIXMAP && format == 32 && count == 1 && data) {
    pixmap = *reinterpret_cast<Pixmap*>(data);
  }
  if (data) XFree(data);
  return pixmap;
}

int CountBits(unsigned long mask) {
  int bits = 0;
  for (; mask; mask >>= 1) bits += mask & 1;
  return bits;
}
int ShiftOf(unsigned long mask) {
  int shift = 0;
  if (!mask) return 0;
  while (!(mask & 1)) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

// The picture on a screen-sized black ground, centred (cut when larger).
QImage ScreenImage(const QImage& picture, int width, int height) {
  QImage screen(width, height, QImage::Format_RGB32);
  screen.fill(Qt::black);
  QPainter painter(&screen);
  painter.drawImage((width - picture.width()) / 2, (height - picture.height()) / 2, picture);
  return screen;
}

}  // namespace

bool X11RootInstaller::Install(const std::filesystem::path& picture, std::string& error) {
  QImage image(QString::fromStdString(picture.string()));
  if (image.isNull()) {
    error = "cannot read " + picture.string();
    return false;
  }
  Display* display = XOpenDisplay(display_name_.empty() ? nullptr : display_name_.c_str());
  if (!display) {
    error = "cannot open the X display";
    return false;
  }
  const int screen_number = DefaultScreen(display);
  const Window root = RootWindow(display, screen_number);
  const int width = DisplayWidth(display, screen_number);
  const int height = DisplayHeight(display, screen_number);
  const int depth = DefaultDepth(display, screen_number);
  Visual* visual = DefaultVisual(display, screen_number);
  if (visual->c_class != TrueColor && visual->c_class != DirectColor) {
    XCloseDisplay(display);
    error = "the X screen has no true-colour visual";
    return false;
  }

  const Atom root_pmap = XInternAtom(display, "_XROOTPMAP_ID", False);
  const Atom esetroot_pmap = XInternAtom(display, "ESETROOT_PMAP_ID", False);

  // A pixmap left by an earlier setter is freed by killing its (retained)
  // client, as every root setter does.
  const Pixmap old_root = ReadPixmapProperty(display, root, root_pmap);
  const Pixmap old_eset = ReadPixmapProperty(display, root, esetroot_pmap);
  if (old_root != None && old_root == old_eset) {
    XKillClient(display, old_root);
  }

  QImage screen = ScreenImage(image, width, height);
  XImage* ximage = XCreateImage(display, visual, depth, ZPixmap, 0, nullptr, width, height, 32, 0);
  if (!ximage) {
    XCloseDisplay(display);
    error = "cannot create an X image";
    return false;
  }
  ximage->data = static_cast<char*>(std::malloc(static_cast<size_t>(ximage->bytes_per_line) * height));
  const unsigned long red_mask = visual->red_mask, green_mask = visual->green_mask,
                      blue_mask = visual->blue_mask;
  const int red_shift = ShiftOf(red_mask), green_shift = ShiftOf(green_mask),
            blue_shift = ShiftOf(blue_mask);
  const int red_bits = CountBits(red_mask), green_bits = CountBits(green_mask),
            blue_bits = CountBits(blue_mask);
  for (int y = 0; y < height; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(screen.constScanLine(y));
    for (int x = 0; x < width; ++x) {
      const QRgb rgb = line[x];
      const unsigned long pixel =
          ((static_cast<unsigned long>(qRed(rgb)) >> (8 - red_bits)) << red_shift) |
          ((static_cast<unsigned long>(qGreen(rgb)) >> (8 - green_bits)) << green_shift) |
          ((static_cast<unsigned long>(qBlue(rgb)) >> (8 - blue_bits)) << blue_shift);
      XPutPixel(ximage, x, y, pixel);
    }
  }

  const Pixmap pixmap = XCreatePixmap(display, root, width, height, depth);
  GC gc = XCreateGC(display, pixmap, 0, nullptr);
  XPutImage(display, pixmap, gc, ximage, 0, 0, 0, 0, width, height);
  XFreeGC(display, gc);
  XDestroyImage(ximage);

  XChangeProperty(display, root, root_pmap, XA_PIXMAP, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&pixmap), 1);
  XChangeProperty(display, root, esetroot_pmap, XA_PIXMAP, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&pixmap), 1);
  XSetWindowBackgroundPixmap(display, root, pixmap);
  XClearWindow(display, root);
  XFlush(display);
  // The pixmap must outlive this connection: keep the client's resources.
  XSetCloseDownMode(display, RetainPermanent);
  XCloseDisplay(display);
  return true;
}

}  // namespace murva
