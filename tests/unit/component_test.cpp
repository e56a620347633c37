#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/design.h"
#include "framework/std_controls.h"
#include "framework/timer.h"
#include "support/headless_host.h"

namespace {

std::vector<std::string> events;

class Tracked : public fw::Component {
public:
    Tracked(fw::Component* owner, std::string name) : fw::Component(owner, std::move(name)) {}
    ~Tracked() override { events.push_back("destroy " + name()); }
    void loaded() override {
        events.push_back("loaded " + name());
        fw::Component::loaded();
    }
};

TEST(Component, OwnedComponentsDieInReverseOrderOfCreation) {
    events.clear();
    {
        fw::Component root(nullptr, "root");
        auto& a = root.create<Tracked>("a");
        a.create<Tracked>("a1");
        root.create<Tracked>("b");
        root.create<Tracked>("c");
        EXPECT_EQ(root.findComponent("b")->owner(), &root);
        EXPECT_EQ(root.findComponent("a1"), nullptr) << "only direct components are found by name";
    }
    EXPECT_EQ(events, (std::vector<std::string>{"destroy c", "destroy b", "destroy a", "destroy a1"}));
}

TEST(Component, LoadedReachesEveryComponentInOrder) {
    events.clear();
    fw::Component root(nullptr, "root");
    root.create<Tracked>("x").create<Tracked>("x1");
    root.create<Tracked>("y");
    root.loaded();
    EXPECT_EQ(events, (std::vector<std::string>{"loaded x", "loaded x1", "loaded y"}));
    EXPECT_TRUE(root.findComponent("y")->isLoaded());
}

class DesignedForm : public fw::Form {
public:
    explicit DesignedForm(fw::Component* owner);
    void ButtonClick(fw::Component& sender) { clicks.push_back(sender.name()); }
    void TickTimer(fw::Component&) { ++ticks; }
    void FormCreate(fw::Component&) { createdAfterLoad = findComponent("Tick")->isLoaded(); }
    std::vector<std::string> clicks;
    int ticks = 0;
    bool createdAfterLoad = false;
    fw::Image* Skin = nullptr;
    fw::GraphicControl* Key = nullptr;
    fw::Timer* Tick = nullptr;
    fw::Edit* Field = nullptr;
};

const fw::DesignRow<DesignedForm> designRows[] = {
    {fw::part<&DesignedForm::Skin>, "Skin", fw::place(0, 0, 100, 100), "skin"},
    {fw::part<&DesignedForm::Key>, "Key", fw::place(10, 20, 30, 15), "a key", &DesignedForm::ButtonClick},
    {fw::part<&DesignedForm::Tick>,
     "Tick",
     {},
     "",
     &DesignedForm::TickTimer,
     fw::with<fw::Timer>([](fw::Timer& t) { t.setInterval(250); })},
    {fw::part<&DesignedForm::Field>, "Field", fw::place(5, 5, 50, 20), "type here", nullptr,
     fw::with<fw::Edit>([](fw::Edit& e) { e.setText("start"); })},
};

DesignedForm::DesignedForm(fw::Component* owner) : fw::Form(owner, "Designed") {
    onCreate = [this](fw::Component& s) { FormCreate(s); };
    fw::applyDesign<DesignedForm>(*this, designRows);
}

TEST(DesignTable, RowsAreAppliedInOrderBoundToTheirMembersWithPlacesHintsHandlersAndProperties) {
    testing_support::HeadlessHost host;
    fw::Application app(host);
    auto& form = app.createForm<DesignedForm>();

    ASSERT_EQ(form.components().size(), 4u);
    EXPECT_EQ(form.components()[0]->name(), "Skin");
    EXPECT_EQ(form.components()[3]->name(), "Field");
    EXPECT_EQ(form.Skin, form.components()[0].get()) << "each row's member holds the component it made";
    EXPECT_EQ(form.Key, form.components()[1].get());
    EXPECT_EQ(form.Tick, form.components()[2].get());
    EXPECT_EQ(form.Field, form.components()[3].get());
    auto& key = *form.Key;
    EXPECT_EQ(key.bounds(), fw::Rect::fromSize(10, 20, 30, 15));
    EXPECT_EQ(key.hint(), "a key");
    EXPECT_EQ(form.graphicControls().front()->name(), "Skin") << "first row lies at the bottom";

    host.click(form, {15, 25});
    EXPECT_EQ(form.clicks, std::vector<std::string>{"Key"});

    auto& tick = *form.Tick;
    EXPECT_EQ(host.timerInterval(tick), 250);
    host.fireTimer(tick);
    EXPECT_EQ(form.ticks, 1);

    EXPECT_EQ(host.state(*form.Field).textValue, "start")
        << "the native control is made after the design, with its stored text";
    EXPECT_TRUE(form.createdAfterLoad) << "the creation handler runs after every component is loaded";
}

}  // namespace
