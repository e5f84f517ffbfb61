// fuzz_menu.cpp - byte-driven call sequences on a manager with a wheel and
// a double wheel menu: odd counts, angles, centres, viewports, coordinates,
// button and wheel messages, style switches, releases and new starts, and a
// callback that changes the menus while a click is being handled; popups,
// strokes in direction mode, key messages, and the mark-ahead delay on an
// injected clock, with highlight hooks that check each report. After every
// step the hover, box, popup and timer invariants are checked, and every
// render must leave the GL state as it found it.
#include <cmath>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>

#include "VrenkGLWidge.h"
#include "fuzz_menu_ops.h"
#include "fuzz_support.h"

using namespace VrenkGLWidge;
using vrenkfuzz::CheckGLStateKept;
namespace ops = vrenkfuzz::ops;

namespace {

// Reads the input front to back; past its end every byte reads as 0.
class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : m_pData(data), m_nSize(size) {}
  bool Done() const { return m_nPos >= m_nSize; }
  uint8_t Byte() { return m_nPos < m_nSize ? m_pData[m_nPos++] : 0; }
  bool Bool() { return (Byte() & 1) != 0; }
  // Item counts: small ones mostly, and the large ones around the rim's
  // vertex count.
  int Count() {
    static const int kLarge[] = {127, 128, 129, 1000, 4096, -1};
    const uint8_t t = Byte();
    return t >= 250 ? kLarge[t - 250] : t % 24;
  }
  // Pixels: the extremes, values around a 64-pixel view, or any 16-bit one.
  int Int() {
    static const int kSpecial[] = {0,          1,           -1,          std::numeric_limits<int>::max(),
                                   std::numeric_limits<int>::min(), 1 << 24,    -(1 << 24),  1 << 30,
                                   -(1 << 30), 2147483520, 16777217, 64, 63, 65, 32, 1000};
    const uint8_t t = Byte();
    if (t < 32) return kSpecial[t % 16];
    if (t < 160) return t - 64;
    return static_cast<int16_t>(Byte() | (Byte() << 8));
  }
  // Degrees: the awkward floats, or 3-degree steps up to about 700.
  float Float() {
    static const float kSpecial[] = {0.0f,
                                     -0.0f,
                                     std::numeric_limits<float>::quiet_NaN(),
                                     std::numeric_limits<float>::infinity(),
                                     -std::numeric_limits<float>::infinity(),
                                     std::numeric_limits<float>::max(),
                                     -std::numeric_limits<float>::max(),
                                     std::numeric_limits<float>::denorm_min(),
                                     -90.0f,
                                     -360.0f,
                                     -1e-30f,
                                     359.99997f,
                                     360.0f,
                                     540.0f,
                                     1e7f,
                                     -1e9f,
                                     2147483648.0f,
                                     -720.5f,
                                     0.5f,
                                     1.0f,
                                     2.0f,
                                     0.01f,
                                     90.0f,
                                     45.0f};
    const uint8_t t = Byte();
    if (t < 24) return kSpecial[t];
    return static_cast<float>(t - 24) * 3.0f;
  }
  std::string Tooltip() {
    static const char* kFixed[] = {"Open", "Save the file", "  spaced  out  ", ("Gr\xc3\xbc\xc3\x9f" "e")};
    const uint8_t t = Byte() % 8;
    if (t == 0) return std::string();
    if (t <= 4) return kFixed[t - 1];
    std::string s;
    const uint8_t n = Byte() % 32;
    for (uint8_t k = 0; k < n; ++k) s.push_back(static_cast<char>(Byte()));
    return s;
  }

 private:
  const uint8_t* m_pData;
  size_t m_nSize;
  size_t m_nPos = 0;
};

struct Fuzz;

// The host's callback: what it does to the menus is chosen by the input.
struct Callback : VrenkFunctional::IVrenkMenuItemCallbackBase {
  bool Execute(int nItemID, bool bToggled) override;
  Fuzz* pFuzz = nullptr;
  int nMode = 0;
};

// The injected clock.
struct Clock : VrenkFunctional::IVrenkTimeSourceBase {
  unsigned int GetMilliseconds() override { return now; }
  unsigned int now = 0xFFFFF000u;  // close to the wrap
};

// The highlight of a menu as its public readers show it: (ring, index), ring
// 1 the inner ring, and (0, -1) for nothing (an index past its list, for the
// moment until the menu clears it, counts as nothing too).
struct Highlight {
  int nRing = 0;
  int nIndex = -1;
  bool operator==(const Highlight& o) const { return nIndex < 0 ? o.nIndex < 0 : nRing == o.nRing && nIndex == o.nIndex; }
};

Highlight HighlightOf(CVrenkMenuBase& menu) {
  Highlight h;
  if (auto* d = dynamic_cast<CVrenkDoubleWheelMenu*>(&menu)) {
    if (d->GetInnerHoveredIndex() >= 0) {
      h = {1, d->GetInnerHoveredIndex()};
    } else {
      h = {0, d->GetOuterHoveredIndex()};
    }
    const int n = h.nRing == 1 ? d->GetInnerItemSize() : d->GetOuterItemSize();
    if (h.nIndex >= n) h.nIndex = -1;
  } else {
    h.nIndex = menu.GetHoveredIndex();
    if (h.nIndex >= menu.GetItemSize()) h.nIndex = -1;
  }
  return h;
}

int IDOf(CVrenkMenuBase& menu, Highlight h) {
  if (h.nIndex < 0) return -1;
  const unsigned int i = static_cast<unsigned int>(h.nIndex);
  if (auto* d = dynamic_cast<CVrenkDoubleWheelMenu*>(&menu)) return h.nRing == 1 ? d->GetInnerItemID(i) : d->GetOuterItemID(i);
  return menu.GetItemID(i);
}

// A menu's highlight hook: each report must be a change, name the item now
// highlighted, and leave the hook in step with the menu. In mode 1 it also
// releases the menu, in mode 2 it disables the item it is told of.
struct Hook : VrenkFunctional::IVrenkMenuItemHighlightCallbackBase {
  void OnHighlight(int nItemID) override {
    const Highlight now = HighlightOf(*pMenu);
    VRENK_FUZZ_CHECK(!(now == told), "the highlight hook was told of no change");
    VRENK_FUZZ_CHECK(nItemID == IDOf(*pMenu, now), "the highlight hook was told " + std::to_string(nItemID) +
                                                       " for item " + std::to_string(IDOf(*pMenu, now)));
    told = now;
    if (nMode == 1) pMenu->Release();
    if (nMode == 2 && now.nIndex >= 0) {
      if (auto* d = dynamic_cast<CVrenkDoubleWheelMenu*>(pMenu)) {
        if (now.nRing == 1) d->SetInnerItemEnabled(static_cast<unsigned int>(now.nIndex), false);
        if (now.nRing == 0) d->SetOuterItemEnabled(static_cast<unsigned int>(now.nIndex), false);
      } else {
        pMenu->SetItemEnabled(static_cast<unsigned int>(now.nIndex), false);
      }
    }
  }
  CVrenkMenuBase* pMenu = nullptr;  // null: not set on any menu
  Highlight told;
  int nMode = 0;
};

struct Fuzz {
  // The callback and the hooks outlive the menus that point at them.
  Callback callback;
  Hook wheelHook;
  Hook doubleHook;
  Clock clock;
  std::unique_ptr<CVrenkWidgeManager> manager;
  std::unique_ptr<CVrenkWheelMenu> wheel;
  std::unique_ptr<CVrenkDoubleWheelMenu> dwheel;
  int nViewport[4] = {0, 0, 64, 64};
  int nWndHeight = 64;

  void NewManager() {
    manager.reset(new CVrenkWidgeManager());
    const vrenkfuzz::Context& c = vrenkfuzz::GLContext();
    VRENK_FUZZ_CHECK(manager->Init(c.hWnd, c.width, c.height, c.hRC, 0, 0, c.width, c.height) == 0,
                     "manager Init failed");
    VRENK_FUZZ_CHECK(manager->Init(c.hWnd, c.width, c.height, c.hRC, 0, 0, c.width, c.height) == -6,
                     "a second manager Init was not refused");
    VRENK_FUZZ_CHECK(manager->SetTimeSource(&clock) == 0, "SetTimeSource");
  }
  // New menus have no hooks.
  void NewMenus() {
    wheel.reset(new CVrenkWheelMenu());
    dwheel.reset(new CVrenkDoubleWheelMenu());
    wheelHook.pMenu = nullptr;
    doubleHook.pMenu = nullptr;
  }
};

bool Callback::Execute(int, bool) {
  Fuzz& f = *pFuzz;
  switch (nMode % 12) {
    case 0:
      return true;
    case 1:
      return false;
    case 2:
      if (f.wheel) f.wheel->SetItemSize(0);
      return true;
    case 3:
      if (f.wheel) f.wheel->SetItem(0, 7, "changed in the callback", vrenkfuzz::IconPath(1).c_str(), 1, true, true);
      if (f.dwheel) f.dwheel->SetOuterItem(0, 7, "changed too", vrenkfuzz::IconPath(2).c_str(), 0, false, true);
      return false;
    case 4:
      if (f.wheel) f.wheel->Release();
      return true;
    case 5:
      if (f.dwheel) {
        f.dwheel->SetOuterItemSize(0);
        f.dwheel->SetInnerItemSize(1);
      }
      return true;
    case 6:
      if (f.dwheel) f.dwheel->Release();
      return false;
    case 7:
      if (f.wheel) f.wheel->Init(f.manager.get(), 3, 20, 32, 32, 0.0f);
      return true;
    case 8:
      // Destroys the clicked menu from inside its own click.
      f.NewMenus();
      return false;
    case 9:
      f.manager->RemoveAllWidges();
      return true;
    case 10:
      // Opens a popup from inside a choice (perhaps the menu being chosen from).
      f.manager->PopupMenu(nMode & 16 ? static_cast<CVrenkMenuBase*>(f.dwheel.get()) : f.wheel.get(), POINT{32, 32});
      return true;
    default:
      f.manager->ClosePopup();
      return false;
  }
}

void CheckBox(const CVrenkWidge& w, const char* name) {
  const float* lo = w.GetLowerBound();
  const float* hi = w.GetUpperBound();
  const bool bFinite = std::isfinite(lo[0]) && std::isfinite(lo[1]) && std::isfinite(hi[0]) && std::isfinite(hi[1]);
  const bool bNaN = std::isnan(lo[0]) || std::isnan(lo[1]) || std::isnan(hi[0]) || std::isnan(hi[1]);
  const bool bEmpty = !bNaN && (lo[0] > hi[0] || lo[1] > hi[1]);
  VRENK_FUZZ_CHECK(bFinite || bEmpty, std::string(name) + " has a box that is neither finite nor empty: (" +
                                          std::to_string(lo[0]) + ", " + std::to_string(lo[1]) + ") .. (" +
                                          std::to_string(hi[0]) + ", " + std::to_string(hi[1]) + ")");
}

void CheckInvariants(const Fuzz& f) {
  if (f.wheel) {
    const int h = f.wheel->GetHoveredIndex();
    VRENK_FUZZ_CHECK(h == -1 || (h >= 0 && h < f.wheel->GetItemSize()),
                     "wheel hovers " + std::to_string(h) + " of " + std::to_string(f.wheel->GetItemSize()));
    CheckBox(*f.wheel, "the wheel");
  }
  if (f.dwheel) {
    const int hi = f.dwheel->GetInnerHoveredIndex();
    const int ho = f.dwheel->GetOuterHoveredIndex();
    VRENK_FUZZ_CHECK(hi == -1 || (hi >= 0 && hi < f.dwheel->GetInnerItemSize()),
                     "inner ring hovers " + std::to_string(hi) + " of " + std::to_string(f.dwheel->GetInnerItemSize()));
    VRENK_FUZZ_CHECK(ho == -1 || (ho >= 0 && ho < f.dwheel->GetOuterItemSize()),
                     "outer ring hovers " + std::to_string(ho) + " of " + std::to_string(f.dwheel->GetOuterItemSize()));
    VRENK_FUZZ_CHECK(hi == -1 || ho == -1, "both rings are hovered");
    CheckBox(*f.dwheel, "the double wheel");
  }
  // The popup and the stroke's menu are live menus of this run, or none.
  const CVrenkMenuBase* popup = f.manager->GetPopupMenu();
  const CVrenkMenuBase* capture = f.manager->GetCaptureMenu();
  const CVrenkMenuBase* wheel = f.wheel.get();
  const CVrenkMenuBase* dwheel = f.dwheel.get();
  VRENK_FUZZ_CHECK(popup == nullptr || popup == wheel || popup == dwheel, "the popup is not a live menu");
  VRENK_FUZZ_CHECK(capture == nullptr || capture == wheel || capture == dwheel, "the stroke's menu is not a live menu");
  const int delay = f.manager->GetTimerDelay();
  VRENK_FUZZ_CHECK(delay >= -1 && (delay < 0 || static_cast<unsigned int>(delay) <= f.manager->GetPopupDelay()),
                   "GetTimerDelay gave " + std::to_string(delay));
  VRENK_FUZZ_CHECK(delay < 0 || (popup != nullptr && !popup->IsVisible()),
                   "a timer is due without a popup waiting to be shown");
  // Each hook is in step with its menu.
  if (f.wheelHook.pMenu != nullptr)
    VRENK_FUZZ_CHECK(f.wheelHook.told == HighlightOf(*f.wheel), "the wheel's hook missed a change");
  if (f.doubleHook.pMenu != nullptr)
    VRENK_FUZZ_CHECK(f.doubleHook.told == HighlightOf(*f.dwheel), "the double wheel's hook missed a change");
}

// The mode byte: the matrix mode current at the pass, and (bit 2) whether
// the manager draws with the shader backend in this compatibility context.
void RenderAndCheck(Fuzz& f, uint8_t mode) {
  static const GLenum kModes[] = {GL_MODELVIEW, GL_PROJECTION, GL_TEXTURE};
  glMatrixMode(kModes[mode % 3]);
  f.manager->SetShaderRendering((mode & 4) != 0);
  const vrenktest::GLStateSnapshot before = vrenktest::GLStateSnapshot::Capture();
  VRENK_FUZZ_CHECK(f.manager->Render() == 0, "Render failed");
  CheckGLStateKept(before, "the manager's Render");
  glMatrixMode(GL_MODELVIEW);
}

POINT Point(Reader& in) {
  POINT pt;
  pt.x = in.Int();
  pt.y = in.Int();
  return pt;
}

// A path for an item's icon: none, or one of the icon files, narrow or wide.
struct Icon {
  explicit Icon(Reader& in) {
    const uint8_t t = in.Byte() % 16;
    bNone = t < 2;
    bWide = t >= 9;
    narrow = vrenkfuzz::IconPath(bWide ? t - 9 : t - 2);
    wide = vrenkfuzz::Widen(narrow);
  }
  bool bNone;
  bool bWide;
  std::string narrow;
  std::wstring wide;
};

// The results a setter may give: success, a missing or bad icon, a bad index.
void CheckSetResult(int result, const Icon& icon, bool bInRange) {
  VRENK_FUZZ_CHECK(bInRange ? (result == 0 || (result == -1 && !icon.bNone)) : result == -2,
                   "SetItem gave " + std::to_string(result));
}

void Step(Fuzz& f, Reader& in) {
  CVrenkWheelMenu& w = *f.wheel;
  CVrenkDoubleWheelMenu& d = *f.dwheel;
  switch (in.Byte() % ops::kOpCount) {
    case ops::kInitWheel: {
      const int n = in.Count();
      const int r = in.Int(), x = in.Int(), y = in.Int();
      const float deg = in.Float();
      try {
        w.Init(f.manager.get(), n, r, x, y, deg);
        VRENK_FUZZ_CHECK(n >= 0 && w.GetItemSize() == n, "Init made the wrong item count");
      } catch (const std::length_error&) {
        VRENK_FUZZ_CHECK(n < 0, "Init threw for a count of " + std::to_string(n));
      }
      break;
    }
    case ops::kInitDouble: {
      const int ni = in.Count(), no = in.Count();
      const int r = in.Int(), x = in.Int(), y = in.Int();
      const float di = in.Float(), dout = in.Float();
      try {
        d.Init(f.manager.get(), ni, no, r, x, y, di, dout);
        VRENK_FUZZ_CHECK(ni >= 0 && no >= 0 && d.GetInnerItemSize() == ni && d.GetOuterItemSize() == no,
                         "Init made the wrong ring sizes");
      } catch (const std::length_error&) {
        VRENK_FUZZ_CHECK(ni < 0 || no < 0, "Init threw for sane counts");
      }
      break;
    }
    case ops::kAddItem: {
      const bool bDouble = in.Bool();
      const int id = in.Int();
      if (bDouble) {
        VRENK_FUZZ_CHECK(static_cast<CVrenkMenuBase&>(d).AddItem(id) == -8, "AddItem on the double wheel");
      } else {
        const int n = w.GetItemSize();
        VRENK_FUZZ_CHECK(w.AddItem(id) == 0 && w.GetItemSize() == n + 1, "AddItem did not add");
      }
      break;
    }
    case ops::kSetItem: {
      const unsigned int i = in.Byte();
      const int id = in.Int();
      const std::string tip = in.Tooltip();
      const Icon icon(in);
      const int type = static_cast<int8_t>(in.Byte());
      const bool bToggled = in.Bool(), bEnabled = in.Bool();
      const bool bInRange = i < static_cast<unsigned int>(w.GetItemSize());
      int result;
      if (icon.bNone) {
        result = w.SetItem(i, id, tip, static_cast<const char*>(nullptr), type, bToggled, bEnabled);
      } else if (icon.bWide) {
        result = w.SetItem(i, id, tip, icon.wide.c_str(), type, bToggled, bEnabled);
      } else {
        result = w.SetItem(i, id, tip, icon.narrow.c_str(), type, bToggled, bEnabled);
      }
      CheckSetResult(result, icon, bInRange);
      if (bInRange) {
        VRENK_FUZZ_CHECK(w.GetItemID(i) == id && w.GetItemType(i) == type && w.IsItemToggled(i) == bToggled &&
                             w.IsItemEnabled(i) == bEnabled,
                         "SetItem did not store the item");
        VRENK_FUZZ_CHECK((w.GetItemImage(i) != nullptr) == (result == 0 && !icon.bNone), "icon and result disagree");
      }
      break;
    }
    case ops::kSetRingItem: {
      const bool bInner = in.Bool();
      const unsigned int i = in.Byte();
      const int id = in.Int();
      const std::string tip = in.Tooltip();
      const Icon icon(in);
      const int type = static_cast<int8_t>(in.Byte());
      const bool bToggled = in.Bool(), bEnabled = in.Bool();
      const bool bInRange = i < static_cast<unsigned int>(bInner ? d.GetInnerItemSize() : d.GetOuterItemSize());
      int result;
      if (icon.bNone) {
        result = bInner ? d.SetInnerItem(i, id, tip, static_cast<const char*>(nullptr), type, bToggled, bEnabled)
                        : d.SetOuterItem(i, id, tip, static_cast<const char*>(nullptr), type, bToggled, bEnabled);
      } else if (icon.bWide) {
        result = bInner ? d.SetInnerItem(i, id, tip, icon.wide.c_str(), type, bToggled, bEnabled)
                        : d.SetOuterItem(i, id, tip, icon.wide.c_str(), type, bToggled, bEnabled);
      } else {
        result = bInner ? d.SetInnerItem(i, id, tip, icon.narrow.c_str(), type, bToggled, bEnabled)
                        : d.SetOuterItem(i, id, tip, icon.narrow.c_str(), type, bToggled, bEnabled);
      }
      CheckSetResult(result, icon, bInRange);
      if (bInRange) {
        const int storedID = bInner ? d.GetInnerItemID(i) : d.GetOuterItemID(i);
        VRENK_FUZZ_CHECK(storedID == id, "SetInnerItem/SetOuterItem did not store the identifier");
      }
      break;
    }
    case ops::kSetItemSize: {
      const uint8_t which = in.Byte();
      const int n = in.Count();
      const unsigned int size = static_cast<unsigned int>(n < 0 ? 0 : n);
      if (which % 3 == 0) {
        VRENK_FUZZ_CHECK(w.SetItemSize(size) == 0 && w.GetItemSize() == static_cast<int>(size), "SetItemSize");
      } else if (which % 3 == 1) {
        VRENK_FUZZ_CHECK(d.SetInnerItemSize(size) == 0 && d.GetInnerItemSize() == static_cast<int>(size),
                         "SetInnerItemSize");
      } else {
        VRENK_FUZZ_CHECK(d.SetOuterItemSize(size) == 0 && d.GetOuterItemSize() == static_cast<int>(size),
                         "SetOuterItemSize");
      }
      break;
    }
    case ops::kStartDegree: {
      const uint8_t which = in.Byte();
      const float deg = in.Float();
      if (which % 3 == 0) {
        w.SetItemStartDegree(deg);
      } else if (which % 3 == 1) {
        d.SetInnerItemStartDegree(deg);
      } else {
        d.SetOuterItemStartDegree(deg);
      }
      break;
    }
    case ops::kCenter: {
      const bool bDouble = in.Bool();
      const int x = in.Int(), y = in.Int();
      if (bDouble) {
        d.SetCenter(x, y);
      } else {
        w.SetCenter(x, y);
      }
      break;
    }
    case ops::kRadius: {
      const bool bDouble = in.Bool();
      const int r = in.Int();
      const float ratio = in.Float() / 360.0f;
      if (bDouble) {
        d.SetRadius(r);
        d.SetInnerRadiusRatio(ratio);
      } else {
        w.SetRadius(r);
      }
      break;
    }
    case ops::kOnSize: {
      const unsigned int type = in.Byte();
      const int ww = in.Int(), wh = in.Int();
      int vp[4];
      for (int& v : vp) v = in.Int();
      f.manager->OnSize(type, ww, wh, vp);
      break;
    }
    case ops::kMove:
      f.manager->OnMouseMove(in.Byte(), Point(in));
      break;
    case ops::kDown:
      f.manager->OnLButtonDown(0, Point(in));
      break;
    case ops::kUp:
      f.manager->OnLButtonUp(0, Point(in));
      break;
    case ops::kRightButton: {
      const bool bDown = in.Bool();
      const POINT pt = Point(in);
      if (bDown) {
        f.manager->OnRButtonDown(0, pt);
      } else {
        f.manager->OnRButtonUp(0, pt);
      }
      break;
    }
    case ops::kWheel: {
      const short delta = static_cast<short>(in.Int());
      f.manager->OnMouseWheel(0, delta, Point(in));
      break;
    }
    case ops::kTooltip: {
      const bool bDouble = in.Bool();
      const bool bShow = in.Bool();
      const int style = static_cast<int8_t>(in.Byte());
      if (bDouble) {
        d.SetShowTooltip(bShow);
        d.SetTooltipStyle(style);
      } else {
        w.SetShowTooltip(bShow);
      }
      break;
    }
    case ops::kColor: {
      const bool bDouble = in.Bool();
      const uint8_t which = in.Byte();
      const uint8_t r = in.Byte(), g = in.Byte(), b = in.Byte(), a = in.Byte();
      if (bDouble) {
        switch (which % 5) {
          case 0: d.SetInnerItemColor(r, g, b, a); break;
          case 1: d.SetOuterItemColor(r, g, b, a); break;
          case 2: d.SetHighlightItemColor(r, g, b, a); break;
          case 3: d.SetToggledItemColor(r, g, b, a); break;
          default: d.SetEdgeColor(r, g, b, a); break;
        }
      } else {
        switch (which % 4) {
          case 0: w.SetItemColor(r, g, b, a); break;
          case 1: w.SetHighlightItemColor(r, g, b, a); break;
          case 2: w.SetToggledItemColor(r, g, b, a); break;
          default: w.SetEdgeColor(r, g, b, a); break;
        }
      }
      break;
    }
    case ops::kFlags: {
      const bool bDouble = in.Bool();
      const uint8_t which = in.Byte();
      const bool bOn = in.Bool();
      CVrenkWidge& widge = bDouble ? static_cast<CVrenkWidge&>(d) : static_cast<CVrenkWidge&>(w);
      switch (which % 5) {
        case 0:
          if (bDouble) d.SetAutoReposition(bOn); else w.SetAutoReposition(bOn);
          break;
        case 1:
          if (bDouble) d.SetLightTracing(bOn); else w.SetLightTracing(bOn);
          break;
        case 2:
          if (bDouble) d.SetAlwaysShowInnerDisk(bOn); else w.SetAlwaysShowDisk(bOn);
          break;
        case 3:
          widge.SetEnable(bOn);
          break;
        default:
          widge.SetVisible(bOn);
          break;
      }
      break;
    }
    case ops::kItemFlags: {
      const uint8_t which = in.Byte();
      const uint8_t t = in.Byte();
      const unsigned int i = t == 255 ? 0xFFFFFFFFu : t;
      const bool bOn = in.Bool();
      int result;
      bool bInRange;
      switch (which % 4) {
        case 0:
          bInRange = i < static_cast<unsigned int>(w.GetItemSize());
          result = (which & 4) ? w.SetItemEnabled(i, bOn) : w.SetItemToggled(i, bOn);
          break;
        case 1:
          bInRange = i < static_cast<unsigned int>(d.GetInnerItemSize());
          result = (which & 4) ? d.SetInnerItemEnabled(i, bOn) : d.SetInnerItemToggled(i, bOn);
          break;
        case 2:
          bInRange = i < static_cast<unsigned int>(d.GetOuterItemSize());
          result = (which & 4) ? d.SetOuterItemEnabled(i, bOn) : d.SetOuterItemToggled(i, bOn);
          break;
        default:
          // The single-list operations are not the double wheel's.
          bInRange = false;
          result = static_cast<CVrenkMenuBase&>(d).SetItemToggled(i, bOn) == -8 ? -2 : 0;
          break;
      }
      VRENK_FUZZ_CHECK(bInRange ? result == (bOn ? 1 : 0) : result == -2, "an item flag setter gave " +
                                                                           std::to_string(result));
      break;
    }
    case ops::kReleaseMenu:
      if (in.Bool()) {
        d.Release();
      } else {
        w.Release();
      }
      break;
    case ops::kManagerRelease:
      VRENK_FUZZ_CHECK(f.manager->Release() == 0, "manager Release failed");
      break;
    case ops::kManagerRenew:
      // The menus are detached by the old manager and may be initialised
      // with the new one.
      f.NewManager();
      break;
    case ops::kRender:  // mode (see RenderAndCheck)
      RenderAndCheck(f, in.Byte());
      break;
    case ops::kSetCallback: {
      const uint8_t mode = in.Byte();
      f.callback.nMode = mode;
      VrenkFunctional::IVrenkMenuItemCallbackBase* pCallback = mode == 255 ? nullptr : &f.callback;
      VRENK_FUZZ_CHECK(w.SetProcessFunction(pCallback) == (pCallback ? 0 : -5), "SetProcessFunction");
      VRENK_FUZZ_CHECK(d.SetProcessFunction(pCallback) == (pCallback ? 0 : -5), "SetProcessFunction");
      break;
    }
    case ops::kPopup: {
      const bool bDouble = in.Bool();
      CVrenkMenuBase* menu = bDouble ? static_cast<CVrenkMenuBase*>(&d) : &w;
      const POINT pt = Point(in);
      const int result = f.manager->PopupMenu(menu, pt);
      VRENK_FUZZ_CHECK(result == 0 || result == -4 || result == -8, "PopupMenu gave " + std::to_string(result));
      VRENK_FUZZ_CHECK(result != 0 || f.manager->GetPopupMenu() == menu || f.manager->GetPopupMenu() == nullptr,
                       "PopupMenu succeeded but another menu is the popup");
      break;
    }
    case ops::kClosePopup: {
      const bool bOpen = f.manager->GetPopupMenu() != nullptr;
      VRENK_FUZZ_CHECK(f.manager->ClosePopup() == (bOpen ? 0 : -4), "ClosePopup");
      break;
    }
    case ops::kKey: {
      static const unsigned int kKeys[] = {VK_LEFT,    VK_UP,      VK_RIGHT,   VK_DOWN,    VK_TAB,     VK_RETURN,
                                           VK_SPACE,   VK_ESCAPE,  VK_PRIOR,   VK_NEXT,    VK_SHIFT,   VK_LSHIFT,
                                           VK_RSHIFT,  VK_NUMPAD0, VK_NUMPAD1, VK_NUMPAD5, VK_NUMPAD9, '0',
                                           '1',        '5',        '9',        'A',        0x1FF,      0xFF};
      const bool bDown = in.Bool();
      const unsigned int key = kKeys[in.Byte() % (sizeof kKeys / sizeof kKeys[0])];
      const LPARAM lParam = static_cast<LPARAM>(in.Byte()) << 16 | (in.Bool() ? static_cast<LPARAM>(1) << 30 : 0);
      if (bDown) {
        f.manager->OnKeyDown(key, lParam);
      } else {
        f.manager->OnKeyUp(key, lParam);
      }
      break;
    }
    case ops::kClock: {
      const uint8_t t = in.Byte();
      // Small steps mostly, and now and then half the clock's range.
      f.clock.now += t == 255 ? 0x7FFFFFFFu : t * 7u;
      f.manager->OnTimer();
      break;
    }
    case ops::kDirection: {
      const bool bDouble = in.Bool();
      CVrenkMenuBase& menu = bDouble ? static_cast<CVrenkMenuBase&>(d) : static_cast<CVrenkMenuBase&>(w);
      menu.SetSelectByDirection(in.Bool());
      menu.SetDeadZone(in.Float() - 30.0f);
      menu.SetCancelDistance(in.Float() - 30.0f);
      const float dz = menu.GetDeadZone(), cancel = menu.GetCancelDistance();
      VRENK_FUZZ_CHECK(dz >= 0.0f, "a dead zone of " + std::to_string(dz));
      VRENK_FUZZ_CHECK(cancel >= 0.0f && std::isfinite(cancel), "a cancel distance of " + std::to_string(cancel));
      break;
    }
    case ops::kPopupDelay: {
      const int ms = in.Int();
      f.manager->SetPopupDelay(static_cast<unsigned int>(ms));
      VRENK_FUZZ_CHECK(f.manager->GetPopupDelay() <= 0x7FFFFFFFu, "a popup delay past half the clock");
      break;
    }
    case ops::kHighlightHook: {
      const bool bDouble = in.Bool();
      const uint8_t mode = in.Byte();
      CVrenkMenuBase& menu = bDouble ? static_cast<CVrenkMenuBase&>(d) : static_cast<CVrenkMenuBase&>(w);
      Hook& hook = bDouble ? f.doubleHook : f.wheelHook;
      if (mode % 4 == 3) {
        VRENK_FUZZ_CHECK(menu.SetHighlightFunction(nullptr) == -5, "SetHighlightFunction(nullptr)");
        hook.pMenu = nullptr;
      } else {
        hook.pMenu = &menu;
        hook.nMode = mode % 4;
        hook.told = HighlightOf(menu);
        VRENK_FUZZ_CHECK(menu.SetHighlightFunction(&hook) == 0, "SetHighlightFunction");
      }
      break;
    }
    default:
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vrenkfuzz::GLContext();
  Reader in(data, size);
  Fuzz f;
  f.callback.pFuzz = &f;
  f.NewManager();
  f.NewMenus();
  for (int nSteps = 0; !in.Done() && nSteps < 256; ++nSteps) {
    Step(f, in);
    CheckInvariants(f);
  }
  RenderAndCheck(f, 0);
  // Either order of going: menus before the manager, or the manager first
  // (which detaches the menus).
  if (size > 0 && (data[size - 1] & 1) != 0) f.manager.reset();
  f.wheel.reset();
  f.dwheel.reset();
  f.manager.reset();
  return 0;
}
