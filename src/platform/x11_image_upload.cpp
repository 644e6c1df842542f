#include "platform/x11_image_upload.h"

// Qt first: the X11 headers define macros (None, Status, Bool) that clash
// with Qt's own names.
#include <QPainter>
#include <algorithm>
#include <memory>
#include <vector>

#include <sys/ipc.h>
#include <sys/shm.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include "platform/x11_pixel_rows.h"

namespace murva {
namespace {

// Rows are converted and sent in strips of about this many bytes: small
// enough that the shared segment stays cheap to map, large enough that the
// round trip after each strip does not dominate.
constexpr std::size_t kStripBytes = 1 << 20;

// The X errors of one call, caught instead of ending the program.
bool x_error_seen = false;
int RecordXError(Display*, XErrorEvent*) {
  x_error_seen = true;
  return 0;
}

int BitsPerPixel(Display* display, int depth) {
  int count = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
  int bits = 0;
  for (int i = 0; i < count; ++i) {
    if (formats[i].depth == depth) bits = formats[i].bits_per_pixel;
  }
  if (formats) XFree(formats);
  return bits;
}

// A picture in 32 bits as it looks drawn onto black.
QImage OpaqueRgb32(const QImage& picture) {
  if (picture.format() == QImage::Format_RGB32) return picture;
  QImage opaque(picture.size(), QImage::Format_RGB32);
  opaque.fill(Qt::black);
  QPainter painter(&opaque);
  painter.drawImage(0, 0, picture);
  return opaque;
}

struct Upload {
  Display* display;
  Drawable drawable;
  GC gc;
  Visual* visual;
  int depth;
  X11PixelLayout layout;
  const QImage& picture;
  QRect source;
  QPoint target;

  int StripRows() const {
    const std::size_t row = std::max<std::size_t>(layout.RowBytes(source.width()), 1);
    return static_cast<int>(std::clamp<std::size_t>(kStripBytes / row, 1, source.height()));
  }
  // Rows first .. first + count - 1 of the source into the image's buffer.
  void Convert(XImage* image, int first, int count) const {
    for (int row = 0; row < count; ++row) {
      const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(source.y() + first + row));
      ConvertX11Row(line + source.x(), source.width(), layout,
                    reinterpret_cast<std::uint8_t*>(image->data) +
                        static_cast<std::size_t>(row) * image->bytes_per_line);
    }
  }
};

// Through a shared-memory segment of two strips: one is filled while the
// server copies the other. False when the server or the system does not
// allow it; nothing has been drawn then.
bool SharedMemoryUpload(const Upload& upload) {
  Display* display = upload.display;
  int major = 0, minor = 0;
  Bool pixmaps = False;
  if (!XShmQueryVersion(display, &major, &minor, &pixmaps)) return false;
  const int strip_rows = upload.StripRows();
  XShmSegmentInfo segment{};
  XImage* images[2] = {};
  for (XImage*& image : images) {
    image = XShmCreateImage(display, upload.visual, upload.depth, ZPixmap, nullptr, &segment,
                            upload.source.width(), strip_rows);
  }
  const auto destroy_images = [&images] {
    for (XImage* image : images) {
      if (image) {
        image->data = nullptr;
        XDestroyImage(image);
      }
    }
  };
  if (!images[0] || !images[1]) {
    destroy_images();
    return false;
  }
  const std::size_t half = static_cast<std::size_t>(images[0]->bytes_per_line) * strip_rows;
  segment.shmid = shmget(IPC_PRIVATE, 2 * half, IPC_CREAT | 0600);
  if (segment.shmid < 0) {
    destroy_images();
    return false;
  }
  segment.shmaddr = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
  if (segment.shmaddr == reinterpret_cast<char*>(-1)) {
    shmctl(segment.shmid, IPC_RMID, nullptr);
    destroy_images();
    return false;
  }
  segment.readOnly = False;
  // A server on another machine refuses the segment with an error.
  XSync(display, False);
  x_error_seen = false;
  const auto previous = XSetErrorHandler(RecordXError);
  const Status attached = XShmAttach(display, &segment);
  XSync(display, False);
  XSetErrorHandler(previous);
  // The segment goes away once both sides have let go of it.
  shmctl(segment.shmid, IPC_RMID, nullptr);
  if (!attached || x_error_seen) {
    shmdt(segment.shmaddr);
    destroy_images();
    return false;
  }
  images[0]->data = segment.shmaddr;
  images[1]->data = segment.shmaddr + half;

  const QRect& source = upload.source;
  for (int first = 0, strip = 0; first < source.height(); first += strip_rows, ++strip) {
    const int count = std::min(strip_rows, source.height() - first);
    XImage* image = images[strip % 2];
    upload.Convert(image, first, count);
    // The strip before this one was sent with the other half; once the
    // server has done it, the half filled two strips ago is free again.
    XSync(display, False);
    XShmPutImage(display, upload.drawable, upload.gc, image, 0, 0, upload.target.x(),
                 upload.target.y() + first, static_cast<unsigned>(source.width()),
                 static_cast<unsigned>(count), False);
  }
  XSync(display, False);
  XShmDetach(display, &segment);
  XSync(display, False);
  shmdt(segment.shmaddr);
  destroy_images();
  return true;
}

// Through ordinary requests, one strip at a time.
void RequestUpload(const Upload& upload) {
  const int strip_rows = upload.StripRows();
  XImage* image = XCreateImage(upload.display, upload.visual, static_cast<unsigned>(upload.depth),
                               ZPixmap, 0, nullptr, static_cast<unsigned>(upload.source.width()),
                               static_cast<unsigned>(strip_rows), 32, 0);
  if (!image) return;
  std::vector<char> buffer(static_cast<std::size_t>(image->bytes_per_line) * strip_rows);
  image->data = buffer.data();
  const QRect& source = upload.source;
  for (int first = 0; first < source.height(); first += strip_rows) {
    const int count = std::min(strip_rows, source.height() - first);
    upload.Convert(image, first, count);
    XPutImage(upload.display, upload.drawable, upload.gc, image, 0, 0, upload.target.x(),
              upload.target.y() + first, static_cast<unsigned>(source.width()),
              static_cast<unsigned>(count));
  }
  image->data = nullptr;
  XDestroyImage(image);
}

}  // namespace

bool UploadToDrawable(_XDisplay* display, unsigned long drawable, const QImage& picture,
                      const QRect& source, const QPoint& target, X11Transfer transfer,
                      std::string& error) {
  const int screen = DefaultScreen(display);
  Visual* visual = DefaultVisual(display, screen);
  if (visual->c_class != TrueColor && visual->c_class != DirectColor) {
    error = "the X screen has no true-colour visual";
    return false;
  }
  X11PixelLayout layout;
  const int depth = DefaultDepth(display, screen);
  layout.bits_per_pixel = BitsPerPixel(display, depth);
  layout.most_significant_first = ImageByteOrder(display) == MSBFirst;
  layout.red_mask = visual->red_mask;
  layout.green_mask = visual->green_mask;
  layout.blue_mask = visual->blue_mask;
  if (!layout.Supported()) {
    error = "the X screen's pixel format (" + std::to_string(layout.bits_per_pixel) +
            " bits per pixel) is not supported";
    return false;
  }
  const QImage rgb = OpaqueRgb32(picture);
  const QRect part = source & rgb.rect();
  if (part.isEmpty()) return true;

  // A part cut off at the top or left moves its place on the drawable along.
  const QPoint place = target + (part.topLeft() - source.topLeft());
  GC gc = XCreateGC(display, drawable, 0, nullptr);
  const Upload upload{display, drawable, gc, visual, depth, layout, rgb, part, place};
  if (transfer == X11Transfer::kRequestsOnly || !SharedMemoryUpload(upload)) RequestUpload(upload);
  XFreeGC(display, gc);
  return true;
}

}  // namespace murva
