object ComponentsPage: TPoolTemplate
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = '$TITLE$ Setup'
  ClientHeight = 360
  ClientWidth = 497
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object HeaderPanel: TPanel
    Left = 0
    Top = 0
    Width = 497
    Height = 58
    Align = alTop
    BevelOuter = bvNone
    Color = clWhite
    ParentBackground = False
    TabOrder = 10
    object HeaderTitle: TLabel
      Left = 20
      Top = 11
      Width = 440
      Height = 16
      AutoSize = False
      Caption = 'Select Features'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clWindowText
      Font.Height = -13
      Font.Name = 'Tahoma'
      Font.Style = [fsBold]
      ParentFont = False
    end
    object HeaderSubtitle: TLabel
      Left = 32
      Top = 32
      Width = 430
      Height = 14
      AutoSize = False
      Caption = 'Choose the features of $TITLE$ you want to install.'
    end
  end
  object HeaderLine: TBevel
    Left = 0
    Top = 58
    Width = 497
    Height = 2
    Shape = bsTopLine
  end
  object FeatureHelp: TLabel
    Left = 20
    Top = 68
    Width = 457
    Height = 14
    AutoSize = False
    Caption = 'Click an icon in the list below to change how a feature is installed.'
  end
  object FeatureTree: TTreeView
    Left = 20
    Top = 88
    Width = 260
    Height = 210
    HideSelection = False
    Indent = 19
    ReadOnly = True
    TabOrder = 0
    Tag = 1
  end
  object DescriptionBox: TGroupBox
    Left = 292
    Top = 84
    Width = 185
    Height = 136
    Caption = 'Feature description'
    TabOrder = 1
    object FeatureDescription: TStaticText
      Left = 10
      Top = 20
      Width = 165
      Height = 106
      AutoSize = False
      TabOrder = 0
      Tag = 2
    end
  end
  object SpaceRequiredLabel: TLabel
    Left = 292
    Top = 232
    Width = 100
    Height = 14
    AutoSize = False
    Caption = 'Space required:'
  end
  object SpaceRequired: TStaticText
    Left = 392
    Top = 232
    Width = 85
    Height = 14
    Alignment = taRightJustify
    AutoSize = False
    TabOrder = 2
    Tag = 4
  end
  object SpaceAvailableLabel: TLabel
    Left = 292
    Top = 252
    Width = 100
    Height = 14
    AutoSize = False
    Caption = 'Space available:'
  end
  object SpaceAvailable: TStaticText
    Left = 392
    Top = 252
    Width = 85
    Height = 14
    Alignment = taRightJustify
    AutoSize = False
    TabOrder = 3
    Tag = 5
  end
  object FooterLine: TBevel
    Left = 0
    Top = 312
    Width = 497
    Height = 2
    Shape = bsTopLine
  end
  object BackButton: TButton
    Left = 232
    Top = 324
    Width = 75
    Height = 25
    Caption = '< &Back'
    Enabled = True
    TabOrder = 20
    Tag = 2
  end
  object NextButton: TButton
    Left = 308
    Top = 324
    Width = 75
    Height = 25
    Caption = '&Next >'
    Default = True
    Enabled = True
    TabOrder = 21
    Tag = 1
  end
  object CancelButton: TButton
    Left = 400
    Top = 324
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    Enabled = True
    TabOrder = 22
    Tag = 3
  end
end
