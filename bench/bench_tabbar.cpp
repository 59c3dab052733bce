// Benchmark: rebuilding, laying out and painting a tab bar of 200 tabs, against a bar of one tab.
#include "timing.h"

#include "documents/tabbar_paint.h"
#include "documents/tabbar_widget.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <string>
#include <vector>

namespace {

constexpr int bar_width = 1185; // a 1200-pixel main window
constexpr int bar_height = 25;

// File names of the kinds people give their programs.
std::vector<std::string> program_names(int count) {
    const char* stems[] = {"motor_control",  "LCD_DEMO", "weather_station", "clock", "game_of_life",
                           "SerialTerminal", "i2c_scan", "temperature_log", "menu",  "pwm_fader"};
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        std::string name = stems[i % 10];
        if (i >= 10) name += "_v" + std::to_string(i / 10);
        names.push_back(name + (i % 3 == 0 ? ".BAS" : ".bas"));
    }
    return names;
}

// What the program does after each new or closed document: rebuild every tab, select the last,
// then one layout and one full paint.
void rebuild_and_paint(TabBarWidget& widget, const std::vector<std::string>& names,
                       QImage& target) {
    TabBar& bar = widget.bar();
    tabbar_clear(bar);
    for (const std::string& name : names) tabbar_add_item(bar, tabbar_position_none, name);
    tabbar_select(bar, int(names.size()) - 1);
    widget.changed();
    QPainter painter(&target);
    paint_tabbar(painter, widget.laid_out(), widget.caption_font());
}

double rebuild_ms(int tabs) {
    const TabBarDefaults look = tabbar_defaults_from(QApplication::palette(), QApplication::font());
    TabBarWidget widget(look, 0, 0, bar_width, bar_height, tabbar_program_flags);
    widget.add_item(tabbar_position_plus, "+");
    const std::vector<std::string> names = program_names(tabs);
    QImage target(bar_width, bar_height, QImage::Format_ARGB32_Premultiplied);
    return best_ms(30, [&] { rebuild_and_paint(widget, names, target); });
}

} // namespace

std::string bench_tabbar_layout_200() {
    const double many = rebuild_ms(200);
    const double one = rebuild_ms(1);
    return bench_line("tabbar_layout_200", many, one);
}
