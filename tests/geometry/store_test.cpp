#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "geometry/forma_geom.h"

namespace movra {
namespace {

using GeomT = TFormaGeom::GeomT;

class Store : public ::testing::Test {
 protected:
  TFormaDaten daten;
  TFormaGeom geom{daten, ""};

  // Appends an element of geometry `no`; V1 carries a tag to follow it through moves.
  GeomT& Add(int no, double tag = 0.0, std::uint8_t side = 0) {
    EXPECT_TRUE(geom.NewElement());
    GeomT& e = *geom.CurElement();
    e.GeomNo = no;
    e.Kind = 1;
    e.V1 = tag;
    e.Side = side;
    return e;
  }
  void AddNumbers(const std::vector<int>& numbers) {
    double tag = 1;
    for (int no : numbers) Add(no, tag++);
  }
  // Tags of the slots in order, 0 for an empty slot.
  std::vector<double> Tags() const {
    std::vector<double> tags;
    for (int s = 1; s <= geom.ElementCount(); ++s) {
      const GeomT* e = geom.Elements(s);
      tags.push_back(e ? e->V1 : 0.0);
    }
    return tags;
  }
  std::vector<int> Numbers() const {
    std::vector<int> numbers;
    for (int s = 1; s <= geom.ElementCount(); ++s) {
      const GeomT* e = geom.Elements(s);
      numbers.push_back(e ? e->GeomNo : -1);
    }
    return numbers;
  }
};

TEST_F(Store, NewStoreIsEmptyWithCleanTables) {
  EXPECT_EQ(geom.ElementCount(), 0);
  EXPECT_EQ(geom.CurElement(), nullptr);
  EXPECT_EQ(geom.CurElementSlot(), 0);
  EXPECT_EQ(geom.Elements(1), nullptr);
  EXPECT_EQ(geom.Busy, 0);
  EXPECT_EQ(geom.FromEditor, 0);
  for (int n = 1; n <= TFormaGeom::MaxGeomNumber; ++n) {
    ASSERT_TRUE(geom.GeomTexts(n).empty());
    ASSERT_TRUE(geom.GeomNames(n).empty());
    ASSERT_EQ(geom.GeomClosed(n), 0);
    for (int k = 1; k <= TFormaGeom::ParamCount; ++k) ASSERT_EQ(geom.GeomParams(n)(k), 0.0);
  }
  EXPECT_TRUE(geom.FontText.empty());
}

TEST_F(Store, NewElementHasTheDefaultFieldsAndIsCurrent) {
  ASSERT_TRUE(geom.NewElement());
  const GeomT* e = geom.CurElement();
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(geom.CurElementSlot(), 1);
  EXPECT_EQ(e, geom.Elements(1));
  EXPECT_EQ(e->Removed, 0);
  EXPECT_EQ(e->Feed, 0.0);
  EXPECT_TRUE(e->Name.empty());
  EXPECT_EQ(e->GeomNo, 0);
  EXPECT_EQ(e->Kind, 0.0);
  EXPECT_EQ(e->Side, 0);
}

TEST_F(Store, HundredThousandthAcceptedNextRefusedClearStartsAtSlotOne) {
  for (int k = 1; k <= TFormaGeom::MaxElements; ++k) ASSERT_TRUE(geom.NewElement()) << k;
  EXPECT_EQ(geom.ElementCount(), TFormaGeom::MaxElements);
  geom.SetCurElement(7);
  EXPECT_FALSE(geom.NewElement());
  EXPECT_EQ(geom.ElementCount(), TFormaGeom::MaxElements);
  EXPECT_EQ(geom.CurElementSlot(), 7);  // a refused element changes nothing
  geom.Elements(3)->GeomNo = 5;
  EXPECT_FALSE(geom.CopyElement(5, 3, geom.ElementCount()));
  EXPECT_EQ(geom.ElementCount(), TFormaGeom::MaxElements);
  EXPECT_EQ(geom.CurElementSlot(), 7);

  geom.ClearElements();
  EXPECT_EQ(geom.ElementCount(), 0);
  EXPECT_EQ(geom.CurElement(), nullptr);
  ASSERT_TRUE(geom.NewElement());
  EXPECT_EQ(geom.CurElementSlot(), 1);
  EXPECT_EQ(geom.CurElement()->GeomNo, 0);  // a fresh element, not the old one
}

TEST_F(Store, SetCurElementOfEmptyOrMissingSlotIsNone) {
  AddNumbers({1, 2});
  geom.DeleteGeomElements(1);
  geom.SetCurElement(1);
  EXPECT_EQ(geom.CurElementSlot(), 0);
  geom.SetCurElement(3);
  EXPECT_EQ(geom.CurElementSlot(), 0);
  geom.SetCurElement(2);
  EXPECT_EQ(geom.CurElement()->GeomNo, 2);
}

TEST_F(Store, MoveLastElementTo) {
  AddNumbers({1, 1, 1, 1});  // tags 1 2 3 4, current = slot 4
  geom.MoveLastElementTo(0);
  EXPECT_EQ(Tags(), (std::vector<double>{4, 1, 2, 3}));
  EXPECT_EQ(geom.CurElement()->V1, 4);  // the current element moved with it

  geom.SetCurElement(3);  // tag 2
  geom.MoveLastElementTo(2);
  EXPECT_EQ(Tags(), (std::vector<double>{4, 1, 3, 2}));
  EXPECT_EQ(geom.CurElement()->V1, 2);

  for (int index : {4, -1, 5, 1000}) {
    geom.MoveLastElementTo(index);
    EXPECT_EQ(Tags(), (std::vector<double>{4, 1, 3, 2})) << "index " << index;
  }
  geom.ClearElements();
  geom.MoveLastElementTo(0);  // empty store
  EXPECT_EQ(geom.ElementCount(), 0);
}

TEST_F(Store, CompactKeepsOrderAndTheCurrentElement) {
  AddNumbers({1, 2, 1, 2, 3});
  geom.DeleteGeomElements(2);
  EXPECT_EQ(Numbers(), (std::vector<int>{1, -1, 1, -1, 3}));
  geom.SetCurElement(3);
  geom.CompactElements();
  EXPECT_EQ(Tags(), (std::vector<double>{1, 3, 5}));
  EXPECT_EQ(geom.CurElementSlot(), 2);
  EXPECT_EQ(geom.CurElement()->V1, 3);
}

TEST_F(Store, CompactOfAllEmptySlotsLeavesEmptyStore) {
  AddNumbers({4, 4, 4});
  geom.DeleteGeomElements(4);
  EXPECT_EQ(geom.ElementCount(), 3);
  EXPECT_EQ(geom.CurElement(), nullptr);
  geom.CompactElements();
  EXPECT_EQ(geom.ElementCount(), 0);
  EXPECT_EQ(geom.CurElement(), nullptr);
  geom.CompactElements();  // and of an empty store
  EXPECT_EQ(geom.ElementCount(), 0);
}

TEST_F(Store, DeleteLeavesCurrentOnLastExaminedSurvivorOrNone) {
  AddNumbers({1, 2, 1});
  geom.DeleteGeomElements(2);
  EXPECT_EQ(geom.CurElementSlot(), 3);  // the last slot survived
  geom.DeleteGeomElements(1);
  EXPECT_EQ(geom.CurElementSlot(), 0);  // the last examined was disposed
  geom.DeleteGeomElements(1.5);         // no such number
  EXPECT_EQ(geom.CurElementSlot(), 0);
}

TEST_F(Store, DeleteMatchesNumbersExactly) {
  AddNumbers({2, 3});
  geom.DeleteGeomElements(2.0000001);
  EXPECT_EQ(Numbers(), (std::vector<int>{2, 3}));
  geom.DeleteGeomElements(2.0);
  EXPECT_EQ(Numbers(), (std::vector<int>{-1, 3}));
}

TEST_F(Store, PurgeKeepsUserGeometriesAndDerivedCopies) {
  AddNumbers({0, 1, 254, 507, 508, 999, 1000, 1001, 1254, 1255, 2000, 3});
  geom.PurgeHighElements();
  EXPECT_EQ(Numbers(), (std::vector<int>{0, 1, 254, 507, -1, -1, -1, 1001, 1254, -1, -1, 3}));
  EXPECT_EQ(geom.CurElement()->GeomNo, 3);
  geom.CompactElements();
  EXPECT_EQ(Numbers(), (std::vector<int>{0, 1, 254, 507, 1001, 1254, 3}));
}

TEST_F(Store, CopyElementCopiesTheGeometryFieldsOnly) {
  GeomT& src = Add(7, 1.5, 2);
  src.Removed = 1;
  src.Name = "Flange with a name longer than the small-string buffer";
  src.OffsetDist = 0.25;
  src.Kind = 2;
  src.V2 = 2;
  src.V3 = -3;
  src.V4 = 4;
  src.V5 = 5;
  src.Feed = 200;
  src.CycleCode = 283;
  src.ZLevel = -4;
  src.Stop = 1;
  const GeomT before = src;

  ASSERT_TRUE(geom.CopyElement(7, 1, 1));
  ASSERT_EQ(geom.ElementCount(), 2);
  EXPECT_EQ(geom.CurElementSlot(), 2);
  const GeomT& c = *geom.Elements(2);
  EXPECT_EQ(c.Removed, before.Removed);
  EXPECT_EQ(c.Name, before.Name);
  EXPECT_EQ(c.GeomNo, 7);
  EXPECT_EQ(c.OffsetDist, 0.25);
  EXPECT_EQ(c.Kind, 2);
  EXPECT_EQ(c.V1, 1.5);
  EXPECT_EQ(c.V2, 2);
  EXPECT_EQ(c.V3, -3);
  EXPECT_EQ(c.V4, 4);
  EXPECT_EQ(c.V5, 5);
  EXPECT_EQ(c.Side, 2);
  EXPECT_EQ(c.Feed, 0.0);
  EXPECT_EQ(c.CycleCode, 0);
  EXPECT_EQ(c.ZLevel, 0.0);
  EXPECT_EQ(c.Stop, 0);
}

TEST_F(Store, CopyElementRefusals) {
  AddNumbers({5, 1005, 6});
  geom.DeleteGeomElements(6);
  geom.SetCurElement(1);
  struct Case {
    int number, index, limit;
  } refused[] = {{5, 0, 3}, {5, 4, 3}, {5, 1, 0}, {5, 1, 4}, {5, 3, 3}, {6, 1, 3}, {1005, 1, 3}};
  for (const auto& c : refused) {
    EXPECT_FALSE(geom.CopyElement(c.number, c.index, c.limit))
        << c.number << " " << c.index << " " << c.limit;
  }
  EXPECT_EQ(geom.ElementCount(), 3);
  EXPECT_EQ(geom.CurElementSlot(), 1);
  EXPECT_TRUE(geom.CopyElement(5, 2, 3));   // n + 1000 belongs to n
  EXPECT_TRUE(geom.CopyElement(0, 1, 3));   // no number: any element
  EXPECT_TRUE(geom.CopyElement(-1, 2, 3));  // nor a negative one
  EXPECT_EQ(Numbers(), (std::vector<int>{5, 1005, -1, 1005, 5, 1005}));
}

TEST_F(Store, CopyElementWhileTheStoreGrows) {
  GeomT& src = Add(1, 9);
  src.Name = "a name long enough to live on the heap, not in the string";
  // Every copy appends; the storage moves many times while the source is read.
  for (int k = 0; k < 2000; ++k) ASSERT_TRUE(geom.CopyElement(1, 1, geom.ElementCount()));
  EXPECT_EQ(geom.ElementCount(), 2001);
  EXPECT_EQ(geom.Elements(2001)->Name, geom.Elements(1)->Name);
  EXPECT_EQ(geom.Elements(2001)->V1, 9);
}

TEST_F(Store, SearchesOfAMissingNumber) {
  AddNumbers({1, 2});
  for (double no : {0.0, 3.0, 255.0, 2.5, 1001.0}) {
    EXPECT_FALSE(geom.GeomExists(no)) << no;
    EXPECT_EQ(geom.GeomSide(no), 0) << no;
    EXPECT_EQ(geom.GetGeomCorrection(no), 255) << no;
    EXPECT_EQ(geom.CurElementSlot(), 2) << "the last one examined";
  }
}

TEST_F(Store, SearchesThroughAConstStoreLeaveTheCurrentElementAlone) {
  Add(1, 1, 1);
  Add(2, 2, 2);
  Add(2, 3, 0);
  Add(3, 4, 0);
  geom.SetCurElement(1);
  const TFormaGeom& view = geom;
  int first = 0, last = 0;
  EXPECT_TRUE(view.GeomExists(2));
  EXPECT_FALSE(view.GeomExists(9));
  EXPECT_EQ(view.GeomSide(2), 2);
  EXPECT_EQ(view.GeomSide(9), 0);
  EXPECT_EQ(view.GetGeomCorrection(2), 2);
  EXPECT_EQ(view.GetGeomCorrection(9), 255);
  EXPECT_TRUE(view.FindGeomEnds(2, first, last));
  EXPECT_EQ(first, 2);
  EXPECT_EQ(last, 3);
  EXPECT_FALSE(view.FindGeomEnds(9, first, last));
  EXPECT_EQ(geom.CurElementSlot(), 1);
  EXPECT_EQ(view.CurElement(), geom.Elements(1));
}

TEST_F(Store, SideOfTheFirstElementOfTheNumber) {
  Add(1, 1, 1);
  Add(2, 2, 2);
  Add(2, 3, 0);
  geom.DeleteGeomElements(1);
  EXPECT_TRUE(geom.GeomExists(2));
  EXPECT_EQ(geom.CurElementSlot(), 2);  // the one found
  EXPECT_EQ(geom.GeomSide(2), 2);
  EXPECT_EQ(geom.GetGeomCorrection(2), 2);
  geom.Elements(2)->Side = 0;
  EXPECT_EQ(geom.GetGeomCorrection(2), 0);
}

TEST_F(Store, SetGeomCorrection) {
  AddNumbers({3, 4, 3, 509});
  EXPECT_TRUE(geom.SetGeomCorrection(3, 1.6));
  EXPECT_EQ(geom.Elements(1)->Side, 2);
  EXPECT_EQ(geom.Elements(2)->Side, 0);
  EXPECT_EQ(geom.Elements(3)->Side, 2);
  EXPECT_TRUE(geom.SetGeomCorrection(509, 3));
  EXPECT_EQ(geom.Elements(4)->Side, 3);
  EXPECT_FALSE(geom.SetGeomCorrection(5, 1));  // no element
  geom.Elements(4)->GeomNo = 510;
  EXPECT_FALSE(geom.SetGeomCorrection(510, 1));  // outside 1..509
  EXPECT_FALSE(geom.SetGeomCorrection(0, 1));
  // A side that no byte holds is refused rather than stored wrapped.
  EXPECT_FALSE(geom.SetGeomCorrection(3, 300));
  EXPECT_FALSE(geom.SetGeomCorrection(3, -1));
  EXPECT_FALSE(geom.SetGeomCorrection(3, std::nan("")));
  EXPECT_EQ(geom.Elements(1)->Side, 2);
  EXPECT_EQ(geom.Elements(4)->Side, 3);
}

TEST_F(Store, SetGeomName) {
  AddNumbers({5, 6, 5});
  EXPECT_FALSE(geom.SetGeomName(300, "Flange"));
  EXPECT_FALSE(geom.SetGeomName(0, "Flange"));
  EXPECT_FALSE(geom.SetGeomName(5.5, "Flange"));
  for (int s = 1; s <= 3; ++s) EXPECT_TRUE(geom.Elements(s)->Name.empty());

  EXPECT_FALSE(geom.SetGeomName(7, "Cover"));  // no element, the table still takes it
  EXPECT_EQ(geom.GeomNames(7), "Cover");

  EXPECT_TRUE(geom.SetGeomName(5, "Flange"));
  EXPECT_EQ(geom.GeomNames(5), "Flange");
  EXPECT_EQ(geom.Elements(1)->Name, "Flange");
  EXPECT_TRUE(geom.Elements(2)->Name.empty());
  EXPECT_EQ(geom.Elements(3)->Name, "Flange");
}

TEST_F(Store, FindGeomEndsOfASplitGeometryGivesTheFirstRun) {
  AddNumbers({1, 2, 2, 3, 2, 2});
  geom.DeleteGeomElements(9);
  int first = -1, last = -1;
  EXPECT_TRUE(geom.FindGeomEnds(2, first, last));
  EXPECT_EQ(first, 2);
  EXPECT_EQ(last, 3);
  EXPECT_EQ(geom.CurElementSlot(), 4);  // the element that ended the run was examined
  EXPECT_FALSE(geom.FindGeomEnds(4, first, last));
  EXPECT_EQ(first, 0);
  EXPECT_EQ(last, 0);
}

TEST_F(Store, FindGeomEndsSkipsEmptySlotsInsideARun) {
  AddNumbers({2, 7, 2, 1, 2});
  geom.DeleteGeomElements(7);
  int first = 0, last = 0;
  EXPECT_TRUE(geom.FindGeomEnds(2, first, last));
  EXPECT_EQ(first, 1);
  EXPECT_EQ(last, 3);
}

TEST_F(Store, TrimGeomEndsMarksTheOtherRuns) {
  AddNumbers({2, 1, 2, 2, 3, 2, 2});
  int first = 0, last = 0;
  ASSERT_TRUE(geom.FindGeomEnds(2, first, last));
  ASSERT_EQ(first, 1);
  ASSERT_EQ(last, 1);
  ASSERT_TRUE(geom.TrimGeomEnds(3, 4, 2));
  std::vector<int> removed;
  for (int s = 1; s <= geom.ElementCount(); ++s) removed.push_back(geom.Elements(s)->Removed);
  EXPECT_EQ(removed, (std::vector<int>{1, 0, 0, 0, 0, 1, 1}));
  EXPECT_EQ(geom.CurElementSlot(), 4);  // the backward walk stopped at Last
  EXPECT_EQ(geom.ElementCount(), 7);    // removed elements stay in the store

  EXPECT_FALSE(geom.TrimGeomEnds(2, 2, 1));  // the only element of 1 is First itself
  EXPECT_FALSE(geom.TrimGeomEnds(0, 4, 2));
  EXPECT_FALSE(geom.TrimGeomEnds(3, 0, 2));
  EXPECT_FALSE(geom.TrimGeomEnds(3, 8, 2));
  geom.DeleteGeomElements(3);
  EXPECT_FALSE(geom.TrimGeomEnds(5, 5, 2));  // an empty slot is no element
}

TEST_F(Store, FirstFreeGeomNumber) {
  int n = 0;
  EXPECT_TRUE(geom.FirstFreeGeomNumber(n));
  EXPECT_EQ(n, 1);
  for (int k : {1, 2, 4}) geom.GeomTexts(k) = {"%" + std::to_string(k), "X0 Y0"};
  EXPECT_TRUE(geom.FirstFreeGeomNumber(n));
  EXPECT_EQ(n, 3);
  for (int k = 1; k <= TFormaGeom::MaxGeomNumber; ++k) geom.GeomTexts(k) = {"G1"};
  n = 17;
  EXPECT_FALSE(geom.FirstFreeGeomNumber(n));
  EXPECT_EQ(n, 17);
  geom.GeomTexts(254).clear();
  EXPECT_TRUE(geom.FirstFreeGeomNumber(n));
  EXPECT_EQ(n, 254);
}

// ---- The engraving font text ----

class FontFile : public ::testing::Test {
 protected:
  std::filesystem::path dir;
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("movra_font_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "Default");
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  void Write(const std::string& bytes) {
    std::ofstream(dir / "Default" / "Engraving.txt", std::ios::binary) << bytes;
  }
  std::vector<std::string> Load(bool trailingSlash = true) {
    TFormaDaten d;
    TFormaGeom g(d, dir.string() + (trailingSlash ? "/" : ""));
    return g.FontText;
  }
};

TEST_F(FontFile, Utf8LinesWithAnyLineEnd) {
  Write("\xEF\xBB\xBF% K76\r\nX0 Y1\nY0\rX0.6 \xC2\xB0\r\n\r\n% K32 0.3\n");
  EXPECT_EQ(Load(), (std::vector<std::string>{"% K76", "X0 Y1", "Y0", "X0.6 \xC2\xB0", "",
                                              "% K32 0.3"}));
  EXPECT_EQ(Load(false).size(), 6u);
}

TEST_F(FontFile, Windows1252IsConverted) {
  Write("% K176 (\xB0)\r\n% K128 (\x80)\r\nX1");
  EXPECT_EQ(Load(), (std::vector<std::string>{"% K176 (\xC2\xB0)", "% K128 (\xE2\x82\xAC)", "X1"}));
}

TEST_F(FontFile, MissingEmptyHugeOrFolderGiveNoText) {
  EXPECT_TRUE(Load().empty());  // missing
  Write("");
  EXPECT_TRUE(Load().empty());
  {
    std::ofstream f(dir / "Default" / "Engraving.txt", std::ios::binary);
    f.seekp(16 * 1024 * 1024);  // one byte beyond the cap, sparse on disk
    f.put('X');
  }
  EXPECT_TRUE(Load().empty());
  std::filesystem::remove(dir / "Default" / "Engraving.txt");
  std::filesystem::create_directory(dir / "Default" / "Engraving.txt");
  EXPECT_TRUE(Load().empty());
}

TEST(FontFileFolder, EmptyFolderLooksNowhere) {
  TFormaDaten d;
  TFormaGeom g(d, "");
  EXPECT_TRUE(g.FontText.empty());
}

}  // namespace
}  // namespace movra
