// The layout of a rectangular horn whose section area follows the tractrix:
// flat top and bottom pieces, curved sides. Evaluation order matters: every
// formula is computed in the order that gives the printed digits.
#pragma once

namespace bellform {

constexpr double PI = 3.141592654;
constexpr double inv_PI = 0.318309886142228;
constexpr double degrees_per_radian_x2 = 114.5915590112021;  // 360 / PI
// The speed of sound, inches a second: the cutoff's and the impedance's.
constexpr double sound_speed = 13200;
// sound_speed over 4 PI, to the two decimals the cutoff has always used.
constexpr double fc_factor = 1050.42;

struct Radii {
  double rm = 0;  // equivalent mouth radius, the tractrix constant
  double ht = 0;  // half the throat side
  double rt = 0;  // equivalent throat radius
};

struct Frame {
  double b = 0;        // apex to throat, along the axis
  double theta = 0;    // half-angle between top and bottom pieces
  double cos_t = 0;
  double tan_t = 0;
  double s0 = 0;       // apex to throat, along a piece
  double len_ext = 0;  // apex to mouth, along the axis
  double sM = 0;       // apex to mouth, along a piece
};

struct Station {
  double dim_x = 0;   // from the throat along the piece
  double half_w = 0;  // "W/2"
  double height = 0;
  double h_over_w = 0;
  double area = 0;
};

Radii design_radii(double W, double H, double T);
double natural_length(const Radii& radii);
Frame layout_frame(const Radii& radii, double H, double L);
double piece_length(const Frame& frame);
double piece_angle(const Frame& frame);  // included angle, degrees
Station station_at(const Frame& frame, double rm, double s);
double cutoff_frequency(double A0, double A1, double X1);
double adapter_thickness(double D, double L, double rm);

}  // namespace bellform
