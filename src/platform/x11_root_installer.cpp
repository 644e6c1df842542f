#include "platform/x11_root_installer.h"

// Qt first: the X11 headers define macros (None, Status, Bool) that clash
// with Qt's own names.
#include <QImage>
#include <QRegion>
#include <QString>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

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

}  // namespace

bool X11RootInstaller::Install(const std::filesystem::path& picture, std::string& error) {
  const QImage image(QString::fromStdString(picture.string()));
  if (image.isNull()) {
    error = "cannot read " + picture.string();
    return false;
  }
  return InstallPicture(picture, image, error);
}

bool X11RootInstaller::InstallPicture(const std::filesystem::path&, const QImage& pixels,
                                      std::string& error) {
  if (pixels.isNull()) {
    error = "the picture is empty";
    return false;
  }
  return PutUp({{&pixels, QPoint(), true}}, error);
}

bool X11RootInstaller::InstallMonitors(const std::vector<MonitorWallpaper>& wallpapers,
                                       std::string& error) {
  if (wallpapers.empty()) {
    error = "no monitor to give a wallpaper";
    return false;
  }
  // A single picture for a monitor nobody placed is centred as one picture.
  if (wallpapers.size() == 1 && wallpapers.front().monitor.name.empty() &&
      wallpapers.front().monitor.desktop == MonitorRect{}) {
    return InstallPicture(wallpapers.front().file, wallpapers.front().pixels, error);
  }
  std::vector<MonitorWallpaper> read = wallpapers;
  std::vector<Piece> pieces;
  for (MonitorWallpaper& wallpaper : read) {
    if (wallpaper.pixels.isNull()) {
      wallpaper.pixels = QImage(QString::fromStdString(wallpaper.file.string()));
    }
    if (wallpaper.pixels.isNull()) {
      error = "cannot read the picture for " + wallpaper.monitor.name + " (" +
              wallpaper.file.string() + ")";
      return false;
    }
    pieces.push_back({&wallpaper.pixels, MonitorPictureArea(wallpaper).topLeft(), false});
  }
  return PutUp(pieces, error);
}

bool X11RootInstaller::PutUp(const std::vector<Piece>& pieces, std::string& error) {
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
  const Visual* visual = DefaultVisual(display, screen_number);
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

  // Each picture at its place (a centred one in the middle of the screen);
  // the server fills what they leave uncovered with black, so only the
  // pictures' own pixels are sent.
  const QRect screen(0, 0, width, height);
  const Pixmap pixmap = XCreatePixmap(display, root, static_cast<unsigned>(width),
                                      static_cast<unsigned>(height), static_cast<unsigned>(depth));
  QRegion uncovered(screen);
  std::vector<std::pair<QRect, QPoint>> shown;  // the part on the screen, the picture's corner
  for (const Piece& piece : pieces) {
    const QPoint corner = piece.centred ? QPoint((width - piece.pixels->width()) / 2,
                                                 (height - piece.pixels->height()) / 2)
                                        : piece.place;
    const QRect part = QRect(corner, piece.pixels->size()) & screen;
    uncovered -= part;
    shown.emplace_back(part, corner);
  }
  if (!uncovered.isEmpty()) {
    GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XSetForeground(display, gc, 0);
    XFillRectangle(display, pixmap, gc, 0, 0, static_cast<unsigned>(width),
                   static_cast<unsigned>(height));
    XFreeGC(display, gc);
  }
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const auto& [part, corner] = shown[i];
    if (!part.isEmpty() &&
        !UploadToDrawable(display, pixmap, *pieces[i].pixels, part.translated(-corner),
                          part.topLeft(), transfer_, error)) {
      XFreePixmap(display, pixmap);
      XCloseDisplay(display);
      return false;
    }
  }

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
