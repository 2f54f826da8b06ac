#include "platform/qt/version_info.h"

#include <gtest/gtest.h>

#include "platform/qt/shell_links.h"

namespace movra::platform {
namespace {

TEST(VersionResource, QueriesByBlockAndName) {
  const VersionResource resource("[040704E4]\nProductVersion=25.10.1.1\nProductName=Movra\n");
  EXPECT_EQ(resource.Query("040704E4", "ProductVersion"), QStringLiteral("25.10.1.1"));
  EXPECT_EQ(resource.Query("040704E4", "productname"), QStringLiteral("Movra"));
  EXPECT_EQ(resource.Query("040704E4", "LegalCopyright"), std::nullopt);
  EXPECT_EQ(resource.Query("041904E3", "ProductVersion"), std::nullopt);
}

TEST(VersionResource, TheProgramCarriesTheGermanBlockOnly) {
  const std::optional<VersionResource> resource = ExecutableVersionResource();
  ASSERT_TRUE(resource);
  EXPECT_EQ(resource->Query("040704E4", "ProductVersion"), QStringLiteral("25.10.1.1"));
  EXPECT_EQ(resource->Query("040704E4", "ProductName"), QStringLiteral("Movra_Rudizi"));
  EXPECT_TRUE(resource->Query("040704E4", "LegalCopyright"));
  EXPECT_EQ(resource->Query("041904E3", "ProductVersion"), std::nullopt);
}

TEST(OpenMailLink, OnlyMailLinksGoToTheDesktop) {
  EXPECT_FALSE(OpenMailLink(QString()));
  EXPECT_FALSE(OpenMailLink(QStringLiteral("file:///etc/passwd")));
  EXPECT_FALSE(OpenMailLink(QStringLiteral("http://example.org/?mailto:x")));
}

}  // namespace
}  // namespace movra::platform
