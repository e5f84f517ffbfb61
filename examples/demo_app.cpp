// demo_app.cpp - the demo host's scene, icons and menus.
#include "demo_app.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "png_encoder.h"

namespace vrenkdemo {

bool Callback::Execute(int nItemID, bool bToggled) {
  std::printf("callback: item %d toggled %d\n", nItemID, bToggled ? 1 : 0);
  std::fflush(stdout);
  calls.push_back(Call{nItemID, bToggled});
  return true;
}

// --- Icons --------------------------------------------------------------------

namespace {

constexpr int kIconSize = 48;
constexpr float kPi = 3.14159265f;

// Coverage of one pictogram at a point of the unit square (origin at the
// centre, y up): 1 inside the shape, 0 outside.
bool Inside(int shape, float x, float y) {
  const float r = std::sqrt(x * x + y * y);
  const float a = std::atan2(y, x);
  switch (shape % 8) {
    case 0:  // disc
      return r < 0.8f;
    case 1:  // square
      return std::fabs(x) < 0.62f && std::fabs(y) < 0.62f;
    case 2:  // triangle
      return y > -0.6f && y < 0.8f && std::fabs(x) < (0.8f - y) * 0.6f;
    case 3: {  // five-pointed star
      const float k = std::cos(2.5f * a - kPi / 2);
      return r < 0.4f + 0.42f * k * k * k * k;
    }
    case 4:  // cross
      return (std::fabs(x) < 0.22f && std::fabs(y) < 0.8f) || (std::fabs(y) < 0.22f && std::fabs(x) < 0.8f);
    case 5:  // ring
      return r < 0.82f && r > 0.5f;
    case 6:  // diamond
      return std::fabs(x) + std::fabs(y) < 0.85f;
    default:  // arrow
      return (x > -0.75f && x < 0.1f && std::fabs(y) < 0.22f) || (x >= 0.1f && x < 0.8f && std::fabs(y) < 0.8f - x);
  }
}

}  // namespace

std::vector<std::string> WriteIcons(const std::string& dir) {
  static const unsigned char kColors[8][3] = {{230, 80, 60},  {60, 160, 230}, {250, 200, 40}, {120, 200, 90},
                                              {200, 90, 200}, {250, 140, 40}, {80, 210, 200}, {240, 240, 240}};
  std::vector<std::string> paths;
  for (int shape = 0; shape < 8; ++shape) {
    std::vector<std::vector<uint8_t>> rows(kIconSize, std::vector<uint8_t>(kIconSize * 4));
    for (int py = 0; py < kIconSize; ++py) {
      for (int px = 0; px < kIconSize; ++px) {
        // 4 x 4 samples per pixel give smooth, anti-aliased edges.
        int covered = 0;
        for (int s = 0; s < 16; ++s) {
          const float x = ((px + (s % 4 + 0.5f) / 4) / kIconSize) * 2 - 1;
          const float y = 1 - ((py + (s / 4 + 0.5f) / 4) / kIconSize) * 2;
          covered += Inside(shape, x, y) ? 1 : 0;
        }
        uint8_t* out = &rows[py][px * 4];
        out[0] = kColors[shape][0];
        out[1] = kColors[shape][1];
        out[2] = kColors[shape][2];
        out[3] = static_cast<uint8_t>(covered * 255 / 16);
      }
    }
    const std::string path = dir + "/icon" + std::to_string(shape) + ".png";
    std::vector<uint8_t> bytes = vrenkpng::Encode(kIconSize, kIconSize, 6, 8, false, rows);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return {};
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !ok) return {};
    paths.push_back(path);
  }
  return paths;
}

// --- Menus ----------------------------------------------------------------------

// A context that is OpenGL ES, a core profile or forward compatible has no
// fixed-function pipeline for the demo's scene.
bool CurrentContextHasFixedFunction() {
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  if (version == nullptr) return true;
  if (std::strncmp(version, "OpenGL ES", 9) == 0) return false;
  const int major = std::atoi(version);
  GLint flags = 0;
  GLint mask = 0;
  if (major >= 3) glGetIntegerv(0x821E, &flags);  // GL_CONTEXT_FLAGS
  const char* dot = std::strchr(version, '.');
  const int minor = dot != nullptr ? std::atoi(dot + 1) : 0;
  if (major > 3 || (major == 3 && minor >= 2)) glGetIntegerv(0x9126, &mask);  // GL_CONTEXT_PROFILE_MASK
  return (flags & 0x1) == 0 && (mask & 0x1) == 0;
}

bool DemoApp::Init(HWND hWnd, HGLRC hRC, int width, int height, const std::vector<std::string>& icons) {
  if (icons.size() < 8) return false;
  m_nWidth = width;
  m_nHeight = height;
  m_bFixedFunction = CurrentContextHasFixedFunction();
  if (m_manager.Init(hWnd, width, height, hRC, 0, 0, width, height) != 0) return false;

  static const char* const kWheelTips[kWheelItems] = {"Select", "Move", "Snap (toggle)", "Grid (toggle)",
                                                      "Rotate", "Scale (disabled)", "Mirror", "Delete"};
  m_wheel.Init(&m_manager, kWheelItems, 90, width * 3 / 10, height / 2, 90.0f);
  for (int i = 0; i < kWheelItems; ++i) {
    const int type = (i == kToggleItemA || i == kToggleItemB) ? 1 : 0;
    m_wheel.SetItem(static_cast<unsigned>(i), kWheelBaseID + i, kWheelTips[i], icons[i].c_str(), type,
                    i == kToggleItemB, i != kDisabledItem);
  }
  m_wheel.SetHighlightItemColor(250, 170, 40, 230);
  m_wheel.SetToggledItemColor(90, 150, 90, 230);
  m_wheel.SetProcessFunction(&m_callback);

  static const char* const kInnerTips[kInnerItems] = {"Front", "Top", "Side", "Perspective"};
  static const char* const kOuterTips[kOuterItems] = {"Shaded", "Wireframe", "Points",  "X-ray",
                                                      "Lights", "Shadows",   "Texture", "Outline"};
  m_doubleWheel.Init(&m_manager, kInnerItems, kOuterItems, 100, width * 72 / 100, height / 2, 45.0f, 90.0f);
  for (int i = 0; i < kInnerItems; ++i) {
    m_doubleWheel.SetInnerItem(static_cast<unsigned>(i), 200 + i, kInnerTips[i], icons[i].c_str(), 0, false, true);
  }
  for (int i = 0; i < kOuterItems; ++i) {
    m_doubleWheel.SetOuterItem(static_cast<unsigned>(i), 300 + i, kOuterTips[i], icons[(i + 4) % 8].c_str(),
                               i >= 4 ? 1 : 0, i == 4, true);
  }
  m_doubleWheel.SetShowTooltip(true);
  m_doubleWheel.SetTooltipStyle(0);
  m_doubleWheel.SetProcessFunction(&m_callback);
  // Marking: a press on the double wheel, or its popup, chooses by the
  // direction of the stroke, even far outside the wheel.
  m_doubleWheel.SetSelectByDirection(true);
  m_wheel.SetHighlightFunction(&m_highlights);
  m_doubleWheel.SetHighlightFunction(&m_highlights);
  return true;
}

void DemoApp::Release() {
  // Menus first, then the manager, as the library asks of its hosts.
  m_doubleWheel.Release();
  m_wheel.Release();
  m_manager.Release();
}

void DemoApp::OnSize(int width, int height) {
  m_nWidth = width;
  m_nHeight = height;
  m_manager.OnSize(0, width, height, 0, 0, width, height);
}

void DemoApp::PopupDoubleWheel(POINT pt) { m_manager.PopupMenu(&m_doubleWheel, pt); }

POINT DemoApp::Toward(POINT from, float degrees, float distance) {
  const float a = degrees * kPi / 180.0f;
  POINT pt;
  pt.x = static_cast<LONG>(std::lround(from.x + std::cos(a) * distance));
  pt.y = static_cast<LONG>(std::lround(from.y - std::sin(a) * distance));
  return pt;
}

float DemoApp::OuterItemDegrees(int index) const {
  return m_doubleWheel.GetOuterItemStartDegree() + (index + 0.5f) * 360.0f / kOuterItems;
}

POINT DemoApp::RingPoint(float cx, float cy, float radius, float startDegree, int count, int index,
                         float at) const {
  const float degrees = startDegree + (index + 0.5f) * 360.0f / count;
  const float a = degrees * kPi / 180.0f;
  POINT pt;
  pt.x = static_cast<LONG>(std::lround(cx + std::cos(a) * radius * at));
  pt.y = static_cast<LONG>(std::lround(m_nHeight - (cy + std::sin(a) * radius * at)));
  return pt;
}

POINT DemoApp::WheelItemPoint(int index) const {
  int cx = 0;
  int cy = 0;
  m_wheel.GetCenter(cx, cy);
  return RingPoint(static_cast<float>(cx), static_cast<float>(cy), static_cast<float>(m_wheel.GetRadius()),
                   m_wheel.GetItemStartDegree(), kWheelItems, index, 0.65f);
}

POINT DemoApp::InnerItemPoint(int index) const {
  int cx = 0;
  int cy = 0;
  m_doubleWheel.GetCenter(cx, cy);
  return RingPoint(static_cast<float>(cx), static_cast<float>(cy), static_cast<float>(m_doubleWheel.GetRadius()),
                   m_doubleWheel.GetInnerItemStartDegree(), kInnerItems, index,
                   m_doubleWheel.GetInnerRadiusRatio() * 0.6f);
}

POINT DemoApp::OuterItemPoint(int index) const {
  int cx = 0;
  int cy = 0;
  m_doubleWheel.GetCenter(cx, cy);
  return RingPoint(static_cast<float>(cx), static_cast<float>(cy), static_cast<float>(m_doubleWheel.GetRadius()),
                   m_doubleWheel.GetOuterItemStartDegree(), kOuterItems, index,
                   (m_doubleWheel.GetInnerRadiusRatio() + 1.0f) / 2);
}

// --- The host's own scene ---------------------------------------------------------

void DemoApp::Frame() {
  glViewport(0, 0, m_nWidth, m_nHeight);
  glClearColor(0.12f, 0.14f, 0.18f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (!m_bDrawScene || !m_bFixedFunction) {
    m_manager.Render();
    return;
  }

  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const double aspect = m_nHeight > 0 ? static_cast<double>(m_nWidth) / m_nHeight : 1.0;
  glFrustum(-0.1 * aspect, 0.1 * aspect, -0.1, 0.1, 0.2, 20.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0, -0.2f, -7.0f);
  glRotatef(25.0f, 1, 0, 0);
  glRotatef(m_fAngle, 0, 1, 0);
  glScalef(0.9f, 0.9f, 0.9f);

  glPushAttrib(GL_ENABLE_BIT | GL_LIGHTING_BIT);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_COLOR_MATERIAL);
  const GLfloat lightPos[4] = {2.0f, 3.0f, 4.0f, 0.0f};
  glLightfv(GL_LIGHT0, GL_POSITION, lightPos);
  // A cube of six coloured faces.
  static const GLfloat kFaces[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
  static const GLfloat kColors[6][3] = {{0.85f, 0.35f, 0.3f}, {0.3f, 0.6f, 0.85f}, {0.4f, 0.8f, 0.4f},
                                        {0.8f, 0.75f, 0.3f},  {0.7f, 0.4f, 0.8f},  {0.9f, 0.9f, 0.9f}};
  glBegin(GL_QUADS);
  for (int f = 0; f < 6; ++f) {
    const GLfloat* n = kFaces[f];
    glColor3fv(kColors[f]);
    glNormal3fv(n);
    // Two axes perpendicular to the normal span the face.
    const GLfloat u[3] = {n[1] != 0 || n[2] != 0 ? 1.0f : 0.0f, n[0] != 0 ? 1.0f : 0.0f, 0};
    const GLfloat v[3] = {n[1] * u[2] - n[2] * u[1], n[2] * u[0] - n[0] * u[2], n[0] * u[1] - n[1] * u[0]};
    static const float kCorners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (const auto& c : kCorners) {
      glVertex3f(n[0] + c[0] * u[0] + c[1] * v[0], n[1] + c[0] * u[1] + c[1] * v[1], n[2] + c[0] * u[2] + c[1] * v[2]);
    }
  }
  glEnd();
  glPopAttrib();

  m_manager.Render();
  DrawStroke();
}

void DemoApp::DrawStroke() const {
  if (m_stroke.empty()) return;
  // The host's own overlay, in client pixels: a trail and a dot at its end.
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_POINT_BIT | GL_COLOR_BUFFER_BIT);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, m_nWidth, m_nHeight, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glLineWidth(3.0f);
  glColor4f(1.0f, 0.85f, 0.2f, 0.9f);
  glBegin(GL_LINE_STRIP);
  for (const POINT& pt : m_stroke) glVertex2f(static_cast<float>(pt.x), static_cast<float>(pt.y));
  glEnd();
  glPointSize(9.0f);
  glBegin(GL_POINTS);
  glVertex2f(static_cast<float>(m_stroke.back().x), static_cast<float>(m_stroke.back().y));
  glEnd();
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopAttrib();
}

std::vector<unsigned char> ReadFrame(int width, int height) {
  std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

}  // namespace vrenkdemo
