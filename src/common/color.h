// color.h - RGBA colour arithmetic shared by the widge base and the menus'
// layout. Internal to the library.
#ifndef VRENK_COMMON_COLOR_H
#define VRENK_COMMON_COLOR_H

namespace VrenkGLWidge {
namespace color {

// The low 8 bits of a weighted sum truncated toward zero; sums beyond an
// int (only from weights far beyond what callers use) give 0 instead of
// being undefined.
inline unsigned char LowByte(double sum) {
  if (!(sum > -2147483648.0 && sum < 2147483648.0)) return 0;
  return static_cast<unsigned char>(static_cast<unsigned int>(static_cast<int>(sum)) & 0xFFu);
}

// dst = a * fWeightA + b * fWeightB per colour channel, and the same with
// the alpha weights for alpha; each sum formed in double and truncated.
inline void Interpolate4(unsigned char* dst, const unsigned char* a, float fWeightA, float fAlphaWeightA,
                         const unsigned char* b, float fWeightB, float fAlphaWeightB) {
  for (int k = 0; k < 3; ++k) {
    dst[k] = LowByte(static_cast<double>(a[k]) * fWeightA + static_cast<double>(b[k]) * fWeightB);
  }
  dst[3] = LowByte(static_cast<double>(a[3]) * fAlphaWeightA + static_cast<double>(b[3]) * fAlphaWeightB);
}

// c x f, clamped to 0..255 and truncated; NaN gives 0. The product is
// formed in double: the float factors lie a hair off their decimal values
// (0.65 is 0.64999998), and rounding the product to float would hide that
// (100 x 0.65 must give 64).
inline unsigned char Scale(unsigned char c, float f) {
  const double v = static_cast<double>(c) * f;
  if (!(v > 0.0)) return 0;  // also NaN
  if (v > 255.0) return 255;
  return static_cast<unsigned char>(v);
}

// A stored main colour and its partner: the same colour, with its alpha
// scaled by fAlphaFactor (the highlight, toggled and edge colours).
inline void SetWithScaledAlpha(unsigned char* pMain, unsigned char* pPartner, unsigned char r, unsigned char g,
                               unsigned char b, unsigned char a, float fAlphaFactor) {
  pMain[0] = pPartner[0] = r;
  pMain[1] = pPartner[1] = g;
  pMain[2] = pPartner[2] = b;
  pMain[3] = a;
  pPartner[3] = Scale(a, fAlphaFactor);
}

}  // namespace color
}  // namespace VrenkGLWidge

#endif  // VRENK_COMMON_COLOR_H
