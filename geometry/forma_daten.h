#pragma once
// The shared data of the geometry core: the plane-geometry kernel with its result fields,
// the number formatter, the word-value parser with the #n variables, and the broadcast to
// every window. The folder operations of the same data window live in the shell.
#include <string>
#include <string_view>

#include "geometry/one_based.h"

namespace movra {

namespace platform {
class WindowList;
}

// A value that was not given, in every parsed value, element field and parameter.
inline constexpr double NoValue = 65535.0;

// Broadcast codes of FormaNotify.
inline constexpr int NotifyRepaint = 0;
inline constexpr int NotifyModified = 10;
inline constexpr int LanguageApplied = 2000;

class TFormaDaten {
 public:
  struct PointT {
    double X = 0.0;
    double Y = 0.0;
  };

  // Results of the solvers with several results. Each call overwrites only its own fields;
  // read them at once, before the next solver call.
  struct GeoResultT {
    double Dist = 0.0;
    double Angle = 0.0;
    PointT Point;
    PointT Tangent1;
    PointT Tangent2;
    double RadialAngle1 = 0.0;
    double RadialAngle2 = 0.0;
    PointT ArcCentre;
    double ArcStart = 0.0;
    double ArcEnd = 0.0;
    double ArcStartRaw = 0.0;
    double ArcEndRaw = 0.0;
    PointT Near;
    PointT Far;
  };

  static constexpr int ValueCount = 1254;
  static constexpr int VarCount = 254;

  // The windows are reached only for the broadcast; without a list it goes nowhere.
  explicit TFormaDaten(platform::WindowList* windows = nullptr);

  GeoResultT GeoResult;

  // ---- Plane-geometry kernel (angles in radians, signed radius > 0 counter-clockwise) ----
  bool TangentTwoCircles(double X1, double Y1, double R1, double X2, double Y2, double R2);
  bool ArcTangentTwoCircles(double X1, double Y1, double R1, double X2, double Y2, double R2,
                            double R, int Mode);
  static bool PointOnArc(double CX, double CY, double R, double A1, double A2, double PX,
                         double PY);
  static void ElementEndPoints(double Kind, double V1, double V2, double V3, double V4, double V5,
                               double& X1, double& Y1, double& X2, double& Y2);
  static double DistPointLine3D(double X1, double Y1, double Z1, double X2, double Y2, double Z2,
                                double X3, double Y3, double Z3);
  bool LineCircleIntersect(double X, double Y, double Shift, double Angle, double CX, double CY,
                           double R, double Eq);
  bool OffsetLinesIntersect(double X1, double Y1, double A1, double X2, double Y2, double A2,
                            double D);
  static bool PointOnSegment(double X1, double Y1, double X2, double Y2, double PX, double PY);
  void RotateElement(double Angle, double CX, double CY, double& Kind, double& V1, double& V2,
                     double& V3, double& V4, double& V5);
  static int TurnSenseTest(double R, double A1, double A2);
  static double DirAngle(double X1, double Y1, double X2, double Y2);
  static bool SameSense(double Kind1, double V11, double V12, double V13, double V14, double V15,
                        double Kind2, double V21, double V22, double V23, double V24, double V25);
  static double Dist(double X1, double Y1, double X2, double Y2);
  void DistAngle(double X1, double Y1, double X2, double Y2);
  static void ArcSweep(double R, double A1, double A2, double& Sweep);
  static double ArcSweep(double R, double A1, double A2);
  // Do two directions agree within Tol (radians), counted round the circle, so that a
  // direction just below 2pi and one just above 0 are the same? Use it for every comparison
  // of directions.
  static bool SameDirection(double A1, double A2, double Tol);

  // Real to program text: fixed point, trailing zeros and point dropped, "-0" is "0".
  static std::string FormatReal(double Value, int Decimals);

  // ---- Word values ----
  // The first value after Word in Line (combined by one operator), or NoValue; fills Values.
  double GetWordValue(std::string_view Line, std::string_view Word);
  // Values(i), i = 1..1254: the i-th value of the last GetWordValue call, NoValue where none;
  // 0 while no call has read the table yet.
  double Values(int i) const;
  // The reset at the start of an interpreter run: Values(1..254) are NoValue again.
  void ClearValues();

  OneBasedArray<double, VarCount> Vars;  // the program variables #1..#254
  int OutDecimals = 4;                   // decimals of generated turning text
  int ShowDecimals = 4;                  // decimals of coordinates shown in the editor

  // ---- Broadcast ----
  // Sends window message Msg with Code to every window, in creation order, synchronously.
  void BroadcastToForms(int Msg, int Code);

 private:
  platform::WindowList* windows_;
  // Values(1..valueCount_) hold what the last call read; all later entries are NoValue, so
  // a call need not reset all 1254 of them.
  OneBasedArray<double, ValueCount> values_;
  int valueCount_ = 0;
  // Entries from here on still hold the 0 of creation: no call has read that far yet.
  int zeroFrom_ = 1;
};

}  // namespace movra
