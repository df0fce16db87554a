// The services chosen for each desktop, from what its session shows.
#include "platform/session/DesktopSession.h"

#include <QtTest>

using TChoice = TServiceChoice;
Q_DECLARE_METATYPE(TServiceChoice)
Q_DECLARE_METATYPE(TDesktopSession)

namespace {
// "x" an X server, "w" a Wayland display; then what the compositor and portal offer:
// "ext", "wlr", "vk" (virtual keyboard), "keys" (GlobalShortcuts), "remote" (RemoteDesktop).
TDesktopSession Session(const QString& displays, const QString& desktop, int kde,
                        const QStringList& offers) {
    QProcessEnvironment env;
    if (displays.contains('x'))
        env.insert("DISPLAY", ":1");
    if (displays.contains('w'))
        env.insert("WAYLAND_DISPLAY", "wayland-1");
    env.insert("XDG_CURRENT_DESKTOP", desktop);
    if (kde)
        env.insert("KDE_SESSION_VERSION", QString::number(kde));
    TDesktopSession s = TDesktopSession::FromEnvironment(env);
    s.ExtDataControl = offers.contains("ext");
    s.WlrDataControl = offers.contains("wlr");
    s.VirtualKeyboard = offers.contains("vk");
    s.PortalShortcuts = offers.contains("keys");
    s.PortalRemoteDesktop = offers.contains("remote");
    return s;
}

TChoice Choice(TChoice::TWindow window, TChoice::TClipboard clipboard, bool withoutFocus,
               TChoice::THotKeys keys, TChoice::TPaste paste) {
    return {window, clipboard, withoutFocus, keys, paste};
}
} // namespace

class TestDesktopSession : public QObject {
    Q_OBJECT
private slots:
    void environment();
    void choice_data();
    void choice();
};

void TestDesktopSession::environment() {
    const TDesktopSession s = Session("xw", "ubuntu:GNOME", 0, {});
    QVERIFY(s.XServer && s.Wayland);
    QCOMPARE(s.Desktops, (QStringList{"ubuntu", "gnome"}));
    QVERIFY(s.IsDesktop("gnome"));
    QCOMPARE(s.KdeVersion, 0);
    QCOMPARE(Session("w", "KDE", 6, {}).KdeVersion, 6);
    QCOMPARE(Session("w", "sway", 5, {}).KdeVersion, 0); // a stray variable: no KDE
    QVERIFY(!Session("", "", 0, {}).Wayland);
}

void TestDesktopSession::choice_data() {
    using W = TChoice::TWindow;
    using C = TChoice::TClipboard;
    using K = TChoice::THotKeys;
    using P = TChoice::TPaste;
    QTest::addColumn<TDesktopSession>("session");
    QTest::addColumn<TChoice>("expected");
    QTest::newRow("X11") << Session("x", "XFCE", 0, {})
                         << Choice(W::Xcb, C::X11, true, K::X11, P::X11);
    QTest::newRow("X11 with portals installed") << Session("x", "XFCE", 0, {"keys", "remote"})
                                                << Choice(W::Xcb, C::X11, true, K::X11, P::X11);
    QTest::newRow("sway") << Session("xw", "sway", 0, {"wlr", "vk"})
                          << Choice(W::Xcb, C::DataControl, true, K::None, P::VirtualKeyboard);
    // The portal's shortcuts come from KDE's back end there and refuse the session: the
    // program then says to bind a command, as on a plain sway.
    QTest::newRow("sway with portals installed")
        << Session("xw", "sway", 0, {"wlr", "vk", "keys", "remote"})
        << Choice(W::Xcb, C::DataControl, true, K::PortalBind, P::VirtualKeyboard);
    QTest::newRow("Hyprland") << Session("xw", "Hyprland", 0, {"wlr", "ext", "vk", "keys"})
                              << Choice(W::Xcb, C::DataControl, true, K::PortalBind,
                                        P::VirtualKeyboard);
    QTest::newRow("KDE Plasma 5.27")
        << Session("xw", "KDE", 5, {"wlr", "keys", "remote"})
        << Choice(W::Xcb, C::DataControl, true, K::PortalInSession, P::Portal);
    QTest::newRow("KDE Plasma 6.5, ext only")
        << Session("xw", "KDE", 6, {"ext", "keys", "remote"})
        << Choice(W::Xcb, C::DataControl, true, K::PortalBind, P::Portal);
    QTest::newRow("GNOME 43") << Session("xw", "GNOME", 0, {"remote"})
                              << Choice(W::Xcb, C::X11, true, K::None, P::Portal);
    QTest::newRow("GNOME 48") << Session("xw", "GNOME", 0, {"keys", "remote"})
                              << Choice(W::Xcb, C::X11, true, K::PortalBind, P::Portal);
    QTest::newRow("cage: nothing offered")
        << Session("xw", "", 0, {}) << Choice(W::Xcb, C::X11, false, K::None, P::None);
    QTest::newRow("no X server") << Session("w", "sway", 0, {"wlr", "vk"})
                                 << Choice(W::Wayland, C::DataControl, true, K::None,
                                           P::VirtualKeyboard);
    QTest::newRow("GNOME without an X server")
        << Session("w", "GNOME", 0, {"remote"})
        << Choice(W::Wayland, C::X11, false, K::None, P::Portal);
}

void TestDesktopSession::choice() {
    QFETCH(TDesktopSession, session);
    QFETCH(TChoice, expected);
    const TChoice chosen = ChooseServices(session);
    QCOMPARE(int(chosen.Window), int(expected.Window));
    QCOMPARE(int(chosen.Clipboard), int(expected.Clipboard));
    QCOMPARE(chosen.RecordsWithoutFocus, expected.RecordsWithoutFocus);
    QCOMPARE(int(chosen.HotKeys), int(expected.HotKeys));
    QCOMPARE(int(chosen.Paste), int(expected.Paste));
}

QTEST_GUILESS_MAIN(TestDesktopSession)
#include "tst_DesktopSession.moc"
