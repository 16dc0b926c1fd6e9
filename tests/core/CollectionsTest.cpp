// CList and CMap: the links between their nodes survive insertion and
// removal at either end and in the middle, walked forwards and backwards.
#include <gtest/gtest.h>

#include <string>

#include "framework/CList.h"
#include "framework/CMap.h"

namespace {

std::string Forwards(const CList<char, char>& list)
{
    std::string text;
    for (POSITION pos = list.GetHeadPosition(); pos;) text += list.GetNext(pos);
    return text;
}

std::string Backwards(CList<char, char>& list)
{
    std::string text;
    for (POSITION pos = list.GetTailPosition(); pos;) text += list.GetPrev(pos);
    return text;
}

std::string InOrder(const CMap<int, int, char, char>& map)
{
    std::string text;
    int key = 0;
    char value = 0;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        map.GetNextAssoc(pos, key, value);
        text += std::to_string(key) + value;
    }
    return text;
}

TEST(CList, KeepsItsLinksThroughInsertionAndRemovalEverywhere)
{
    CList<char, char> list;
    list.AddTail('c');
    list.AddHead('a');
    const POSITION c = list.Find('c');
    list.InsertBefore(c, 'b');
    list.InsertAfter(c, 'e');
    list.InsertBefore(list.Find('e'), 'd');
    EXPECT_EQ("abcde", Forwards(list));
    EXPECT_EQ("edcba", Backwards(list));
    EXPECT_EQ(5, list.GetCount());

    list.RemoveAt(c);
    EXPECT_EQ('a', list.RemoveHead());
    EXPECT_EQ('e', list.RemoveTail());
    EXPECT_EQ("bd", Forwards(list));
    EXPECT_EQ("db", Backwards(list));
    EXPECT_EQ('b', list.GetHead());
    EXPECT_EQ('d', list.GetTail());

    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    EXPECT_EQ(nullptr, list.GetTailPosition());
    list.AddTail('z');
    EXPECT_EQ("z", Forwards(list));
    EXPECT_EQ("z", Backwards(list));
}

TEST(CMap, IteratesInInsertionOrderAfterRemovals)
{
    CMap<int, int, char, char> map;
    for (int key = 1; key <= 4; ++key) map[key] = static_cast<char>('a' + key - 1);
    EXPECT_EQ("1a2b3c4d", InOrder(map));

    EXPECT_TRUE(map.RemoveKey(1));  // the head
    EXPECT_TRUE(map.RemoveKey(3));  // the middle
    EXPECT_FALSE(map.RemoveKey(3));
    EXPECT_EQ("2b4d", InOrder(map));
    EXPECT_TRUE(map.RemoveKey(4));  // the tail
    map.SetAt(5, 'e');
    map.SetAt(2, 'B');  // an existing key keeps its place
    EXPECT_EQ("2B5e", InOrder(map));

    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(nullptr, map.GetStartPosition());
    map[7] = 'g';
    EXPECT_EQ("7g", InOrder(map));
    char value = 0;
    EXPECT_TRUE(map.Lookup(7, value));
    EXPECT_EQ('g', value);
}

} // namespace
