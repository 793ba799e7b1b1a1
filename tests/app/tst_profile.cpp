#include "support/TestMain.h"

#include "app/Profile.h"

class TestProfile : public QObject
{
    Q_OBJECT
private slots:
    void caseInsensitiveNames();
};

void TestProfile::caseInsensitiveNames()
{
    CProfile profile(ZtTest::SandboxDir() + QStringLiteral("/p.ini"));
    profile.WriteString(QStringLiteral("Startup"), QStringLiteral("FontFace"), QStringLiteral("Mono"));
    QCOMPARE(profile.GetString(QStringLiteral("STARTUP"), QStringLiteral("fontface")), QStringLiteral("Mono"));
}

ZT_TEST_MAIN(TestProfile)
#include "tst_profile.moc"
