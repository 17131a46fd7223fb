#include <gtest/gtest.h>

#include "automation/error.h"
#include "session/object_store.h"

namespace {

struct Wrapper : automation::EventOwner {
    std::function<void()> onDestroy;
    ~Wrapper() override {
        if (onDestroy) onDestroy();
    }
};

std::shared_ptr<Wrapper> make() { return std::make_shared<Wrapper>(); }

}  // namespace

TEST(ObjectStore, FillsThirtyThreeSlotsThenGrowsBySixteen) {
    cObjectStore store;
    std::vector<std::shared_ptr<Wrapper>> wrappers;
    for (int index = 0; index < 33; ++index) {
        wrappers.push_back(make());
        store.Add(wrappers.back());
    }
    EXPECT_EQ(store.UpperBound(), 32);
    EXPECT_EQ(store.SlotOf(wrappers[32].get()), 32);
    wrappers.push_back(make());
    store.Add(wrappers.back());
    EXPECT_EQ(store.UpperBound(), 48);
    EXPECT_EQ(store.SlotOf(wrappers[33].get()), 33);
}

TEST(ObjectStore, ReusesTheLowestEmptySlot) {
    cObjectStore store;
    auto first = make(), second = make(), third = make(), fourth = make();
    store.Add(first);
    store.Add(second);
    store.Add(third);
    store.Delete(second.get());
    store.Delete(first.get());
    store.Add(fourth);
    EXPECT_EQ(store.SlotOf(fourth.get()), 0);
}

TEST(ObjectStore, SameObjectTwiceTakesTwoSlots) {
    cObjectStore store;
    auto wrapper = make();
    store.Add(wrapper);
    store.Add(wrapper);
    store.Delete(wrapper.get());
    EXPECT_TRUE(store.Exists(wrapper.get()));
    store.Delete(wrapper.get());
    EXPECT_FALSE(store.Exists(wrapper.get()));
}

TEST(ObjectStore, UnknownObjectsAreNeitherFoundNorDeleted) {
    cObjectStore store;
    auto stored = make(), stranger = make();
    store.Add(stored);
    store.Delete(stranger.get());
    EXPECT_FALSE(store.Exists(stranger.get()));
    EXPECT_TRUE(store.Exists(stored.get()));
}

TEST(ObjectStore, HoldsTheOnlyReference) {
    cObjectStore store;
    bool destroyed = false;
    {
        auto wrapper = make();
        wrapper->onDestroy = [&] { destroyed = true; };
        store.Add(wrapper);
    }
    EXPECT_FALSE(destroyed);
    store.DeleteAll();
    EXPECT_TRUE(destroyed);
}

// A wrapper's clean-up deletes itself and a partner from the registry while DeleteAll runs.
TEST(ObjectStore, CleanUpDuringDeleteAllReentersSafely) {
    cObjectStore store;
    auto partner = make();
    std::weak_ptr<Wrapper> watchPartner = partner;
    {
        auto wrapper = make();
        Wrapper* self = wrapper.get();
        Wrapper* partnerAddress = partner.get();
        wrapper->onDestroy = [&store, self, partnerAddress] {
            EXPECT_FALSE(store.Exists(self));
            store.Delete(self);
            store.Delete(partnerAddress);
        };
        store.Add(wrapper);
        store.Add(partner);
    }
    partner.reset();
    store.DeleteAll();
    EXPECT_TRUE(watchPartner.expired());
    EXPECT_EQ(store.UpperBound(), 32);
    auto later = make();
    store.Add(later);
    EXPECT_EQ(store.SlotOf(later.get()), 0);
}

TEST(ObjectStore, GrowingPastTheLargestBoundOverflows) {
    cObjectStore store;
    auto wrapper = make();
    for (int count = 0; count <= 32752; ++count) store.Add(wrapper);
    EXPECT_EQ(store.UpperBound(), 32752);
    try {
        store.Add(wrapper);
        ADD_FAILURE() << "no overflow";
    } catch (const automation::Error& error) {
        EXPECT_EQ(error.code(), automation::errors::Overflow);
    }
    EXPECT_EQ(store.UpperBound(), 32752);
}
