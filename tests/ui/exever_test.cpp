// SPDX-License-Identifier: GPL-3.0-or-later
#include "exever.h"
#include "qttestmain.h"

#include <QStringList>

namespace {

constexpr std::uint32_t Words(std::uint32_t AHigh, std::uint32_t ALow)
{
    return (AHigh << 16) | ALow;
}

} // namespace

class TExeVerTest : public QObject
{
    Q_OBJECT

private slots:
    void VersionText_data()
    {
        QTest::addColumn<quint32>("VersionMS");
        QTest::addColumn<quint32>("VersionLS");
        QTest::addColumn<quint32>("Mask");
        QTest::addColumn<quint32>("Flags");
        QTest::addColumn<QString>("Expected");

        using namespace FileFlag;
        const quint32 V12 = Words(1, 2);
        const quint32 V34 = Words(3, 4);
        QTest::newRow("no flags") << V12 << V34 << AllFlags << 0u << QStringLiteral("1.2.3.4");
        QTest::newRow("debug and patched") << V12 << V34 << AllFlags << (Debug | Patched)
                                           << QStringLiteral("1.2.3.4 debug,patched");
        QTest::newRow("special before private")
            << V12 << V34 << AllFlags << (PrivateBuild | SpecialBuild)
            << QStringLiteral("1.2.3.4 special build,private build");
        QTest::newRow("every flag in order")
            << V12 << V34 << AllFlags << AllFlags
            << QStringLiteral("1.2.3.4 debug,prerelease,patched,special build,private build");
        QTest::newRow("flag outside the mask is not shown")
            << V12 << V34 << (AllFlags & ~Patched) << (Debug | Patched)
            << QStringLiteral("1.2.3.4 debug");
        QTest::newRow("mask without flags shows nothing")
            << V12 << V34 << Prerelease << 0u << QStringLiteral("1.2.3.4");
        QTest::newRow("unknown bits are ignored")
            << V12 << V34 << 0xFFFFFFFFu << 0xFFFFFFC0u << QStringLiteral("1.2.3.4");
        // Each part is its own unsigned 16-bit number, not a signed one and
        // not mixed with its neighbour.
        QTest::newRow("parts are unsigned 16 bits")
            << Words(0xFFFF, 0) << Words(0x8000, 0xFFFF) << 0u << 0u
            << QStringLiteral("65535.0.32768.65535");
        QTest::newRow("all zero") << 0u << 0u << 0u << 0u << QStringLiteral("0.0.0.0");
    }

    void VersionText()
    {
        QFETCH(quint32, VersionMS);
        QFETCH(quint32, VersionLS);
        QFETCH(quint32, Mask);
        QFETCH(quint32, Flags);
        QFETCH(QString, Expected);

        const TFixedFileInfo Info{VersionMS, VersionLS, Mask, Flags};
        QCOMPARE(VersionStringOf(&Info), Expected);
    }

    void NoRecord()
    {
        QCOMPARE(VersionStringOf(nullptr), QStringLiteral("<no version info available>"));
    }

    void ProgramRecordFollowsTheProject()
    {
        QStringList Parts = QStringLiteral(VERBANTO_PROJECT_VERSION).split(u'.');
        while (Parts.size() < 4)
            Parts << QStringLiteral("0");
        QStringList Suffix;
        if (VERBANTO_EXPECT_DEBUG)
            Suffix << QStringLiteral("debug");
        if (VERBANTO_EXPECT_PRERELEASE)
            Suffix << QStringLiteral("prerelease");
        QString Expected = Parts.join(u'.');
        if (!Suffix.isEmpty())
            Expected += u' ' + Suffix.join(u',');

        QCOMPARE(GetVersionString(), Expected);
    }
};

VERBANTO_QTEST_MAIN(TExeVerTest)
#include "exever_test.moc"
