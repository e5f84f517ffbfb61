// wheel_layout.cpp - the numbers behind what the wheels show.
#include "menu/wheel_layout.h"

#include <cmath>

#include "common/color.h"
#include "menu/wheel_shared.h"

namespace VrenkGLWidge {
namespace layout {

const unsigned char kIconDisabled[4] = {204, 204, 204, 51};
const unsigned char kIconHovered[4] = {255, 255, 255, 255};
const unsigned char kIconNormal[4] = {255, 255, 255, 217};

const SPanelQuad kWheelPanel[4] = {
    {{100, 100, 255, 160}, -2.48f, -1.02f, -0.78f, -0.42f},
    {{150, 150, 255, 120}, -2.5f, -1.0f, -0.8f, -0.4f},
    {{50, 50, 55, 160}, -2.48f, -0.98f, -0.82f, -0.8f},
    {{50, 50, 55, 160}, -1.0f, -0.98f, -0.8f, -0.42f},
};

SItemLook ItemLook(const SItemState& state, bool bPressed, const SPalette& palette, const SIconSizes& sizes) {
  SItemLook look = {palette.pNormalLit, palette.pNormal, kIconNormal, sizes.fNormal, false};
  if (!state.bEnabled) {
    look.pIconTint = kIconDisabled;
    return look;
  }
  if (state.bHovered) {
    look.pLit = bPressed ? palette.pToggledLit : palette.pHighlightLit;
    look.pShadow = bPressed ? palette.pToggled : palette.pHighlight;
    look.pIconTint = kIconHovered;
    look.fIconHalfSize = bPressed ? sizes.fPressed : sizes.fHovered;
  } else if (state.bToggled) {
    look.pLit = palette.pToggledLit;
    look.pShadow = palette.pToggled;
  }
  look.bMarked = state.bToggled || (state.bHovered && bPressed);
  return look;
}

void Blend(unsigned char* dst, const unsigned char* pLit, const unsigned char* pShadow, float s) {
  const float l = 1.0f - s;
  color::Interpolate4(dst, pLit, l, l, pShadow, s, s);
}

SSpan SectorSpan(const unsigned int* pStarts, int n, int i) {
  const unsigned int a = pStarts[i];
  return {a, wheel::SpanLength(a, pStarts[(i + 1) % n], n)};
}

SSpan OutlineArc(const unsigned int* pStarts, int n, int i) {
  const unsigned int a = pStarts[i];
  const unsigned int b = pStarts[(i + 1) % n];
  return {a, (b >= a ? b - a : wheel::kRimVertices - a + b) + 1};
}

void IconCentres(int n, float fStartAngle, float fRadius, bool bSingleAtCentre, std::vector<SPoint>* pOut) {
  pOut->clear();
  if (n <= 0) return;
  const float fStep = wheel::kDoublePi / static_cast<float>(n);
  // Icons sit in the middle of their sectors, placed from the same start
  // angle as the sectors and the hit test.
  float fStart = wheel::ReduceStartAngle(fStartAngle);
  if (!std::isfinite(fStart)) fStart = 0.0f;
  float fAngle = fStart + fStep / 2.0f;
  for (int i = 0; i < n; ++i, fAngle += fStep) {
    if (n == 1 && bSingleAtCentre) {
      pOut->push_back({0.0, 0.0});
      continue;
    }
    const float x = fRadius * static_cast<float>(std::cos(static_cast<double>(fAngle)));
    const float y = fRadius * static_cast<float>(std::sin(static_cast<double>(fAngle)));
    pOut->push_back({x, y});
  }
}

float InnerIconRadius(int nInnerItems, float fInnerRadiusRatio) {
  if (nInnerItems == 2) return fInnerRadiusRatio * kInnerIconRingTwo;
  if (nInnerItems == 3 || nInnerItems == 4) return fInnerRadiusRatio * kInnerIconRingFour;
  if (nInnerItems >= 5) return fInnerRadiusRatio * kInnerIconRingMany;
  return 0.0f;
}

float OuterIconRadius(float fInnerRadiusRatio) { return (fInnerRadiusRatio + 1.0f) * 0.5f; }

SPoint RingLabelOrigin(int i, int n, float fStartAngle, float fRadius, float fWidth, float fHeight) {
  const float fStep = wheel::kDoublePi / static_cast<float>(n);
  float fStart = wheel::ReduceStartAngle(fStartAngle);
  if (!std::isfinite(fStart)) fStart = 0.0f;
  const float fAngle = static_cast<float>(std::fmod(
      static_cast<double>((static_cast<float>(i) + 0.5f) * fStep + fStart), static_cast<double>(wheel::kDoublePi)));
  SPoint p = {std::cos(fAngle) * static_cast<double>(fRadius) * kRingLabelRadius,
              std::sin(fAngle) * static_cast<double>(fRadius) * kRingLabelRadius};
  constexpr float kHalfPi = wheel::kPi / 2.0f;
  constexpr float kThreeHalfPi = kHalfPi + wheel::kPi;
  if (fAngle < kHalfPi) {
    p.y += fHeight;
  } else if (fAngle < wheel::kPi) {
    p.x -= fWidth;
    p.y += fHeight;
  } else if (fAngle < kThreeHalfPi) {
    p.x -= fWidth;
  }
  return p;
}

int ListPanelRow(int nOuter, int nInner, int nOuterHovered, int nInnerHovered) {
  int r = -1;
  if (nInnerHovered >= 0 && nInnerHovered < nInner) r = nOuter + nInnerHovered;
  if (nOuterHovered >= 0 && nOuterHovered < nOuter) r = nOuterHovered;
  return r;
}

SBand PanelRowBand(int nRow, float fInset, float fRowHeight) {
  const float fTop = -fInset - fRowHeight * static_cast<float>(nRow);
  return {fTop, fTop - fRowHeight};
}

}  // namespace layout
}  // namespace VrenkGLWidge
