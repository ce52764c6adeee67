"""Starting from a saved configuration: what is restored, and what a broken one does."""

from norvane_e2e import poll, poll_value, windows_path
from norvane_e2e.app import START_TIMEOUT
from norvane_e2e.checks import default_window_rect, divider_widths, x_rect
from norvane_e2e.settings import KEY, WHITE, configuration
from norvane_e2e.wine import REG_BINARY, REG_DWORD, REG_SZ
from norvane_e2e.xserver import SCREEN

LOAD_ERROR = ("Error load configuration from system registry: "
              "HKEY_CURRENT_USER\\Software\\Norvane\\ Error 2.")


def test_saved_window_rectangle_is_used_even_partly_off_screen(rig):
    left = rig.folder("left", files=["a.txt"])
    right = rig.folder("right", files=["b.txt"])
    saved = (-200, 600, 700, 1300)
    rig.save_configuration(left, right, WindowLeft=saved[0], WindowTop=saved[1],
                           WindowRight=saved[2], WindowBottom=saved[3])

    app = rig.start(rig.folder("elsewhere"))
    assert app.message_boxes() == []
    assert app.main().rect == saved
    assert x_rect(app) == saved
    app.wait_panel_folders(left, right)


def test_configuration_missing_a_value_is_reported_once_and_defaults_used(rig):
    left = rig.folder("left", files=["a.txt"])
    right = rig.folder("right", files=["b.txt"])
    start = rig.folder("start", files=["c.txt"])
    rig.save_configuration(left, right, without=["PanelLargeIcons"], WindowLeft=10,
                           WindowTop=10, WindowRight=610, WindowBottom=410)

    app = rig.start(start, wait=False)
    box = app.message_box("Error", timeout=START_TIMEOUT)
    assert box.text == LOAD_ERROR
    assert box.buttons == ["OK"]
    box.answer("Return")

    app.wait_main_window()
    assert app.message_boxes() == [], "more than one message for one broken configuration"
    # Everything read before the gap is dropped: default place, both panels in the
    # current folder.
    assert app.main().rect == default_window_rect(SCREEN[1])
    app.wait_panel_folders(start, start)


def test_saved_folder_that_is_gone_starts_in_the_current_folder(rig):
    right = rig.folder("right", files=["b.txt"])
    start = rig.folder("start", files=["c.txt"])
    rig.save_configuration(rig.dir / "files" / "removed", right)

    app = rig.start(start)
    assert app.message_boxes() == []
    app.wait_panel_folders(start, right)


def test_saved_configuration_is_complete_and_restored_at_the_next_start(rig):
    start = rig.folder("start", files=["a.txt"])
    app = rig.start(start)
    app.wait_title(windows_path(start))
    main = app.main()
    for _ in range(2):
        app.key("ctrl+Right")
    poll_value(lambda: app.panels()[0].width, divider_widths(main, 20)[0], 10,
               "the left panel width at offset 20")

    # Options is the fourth menu; "Save configuration" its last item.
    app.key("F9")
    app.key("Right", "Right", "Right", "Down", "Up", "Return")
    saved = poll(lambda: (lambda key: key if key and "ColorScheme" in key.values else None)(
        rig.spy.registry(rig.prefix, KEY)), 10, "the configuration in the registry")

    expected = configuration(windows_path(start), windows_path(start))
    assert set(saved.values) >= set(expected), \
        f"values not saved: {sorted(set(expected) - set(saved.values))}"
    for name, value in expected.items():
        kind, data = saved.values[name]
        if isinstance(value, bool):
            assert (kind, len(data)) == (REG_BINARY, 1), f"{name}: type {kind}, {len(data)} bytes"
        elif isinstance(value, int):
            assert (kind, len(data)) == (REG_DWORD, 4), f"{name}: type {kind}, {len(data)} bytes"
        else:
            assert kind == REG_SZ, f"{name}: type {kind}"
    for name in ("ColorScheme", *WHITE):
        assert saved.dword(name) == expected[name], name
    assert saved.dword("WindowsOffset") == 20
    assert [saved.dword(name) for name in ("WindowLeft", "WindowTop", "WindowRight",
                                           "WindowBottom")] == list(main.rect)
    # Texts are stored without their terminating zero.
    assert saved.values["PanelPathLeft"][1] == windows_path(start).encode("utf-16-le")
    assert saved.values["PanelPathRight"][1] == windows_path(start).encode("utf-16-le")

    app.key("F10")
    app.message_box("Question").answer("Return")
    app.wait_exit()

    again = rig.start(rig.folder("elsewhere"))
    assert again.message_boxes() == []
    assert again.main().rect == main.rect
    again.wait_title(windows_path(start))
    assert again.panels()[0].width == divider_widths(again.main(), 20)[0]
